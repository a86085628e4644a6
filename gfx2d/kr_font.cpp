// KrFont's shared measurement and the running font driver.
#include "gfx2d/kr_font.h"

#include "lang/kr_string.h"

namespace {

KrFontDriver* runningDriver = nullptr;

} // namespace

void KrFont::measure(const KrString* text, int& width, int& height) {
    measureBytes(krText(text), krLength(text), width, height);
}

KrFontDriver* currentFontDriver() { return runningDriver; }

void setCurrentFontDriver(KrFontDriver* driver) { runningDriver = driver; }
