// The font commands LoadFont and FreeFont. A font belongs to the program,
// which holds the one reference it was made with; a drawing context or a
// gadget that uses the font keeps it alive through a reference of its own.
#include "gfx2d/kr_font.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

// The flags of LoadFont's switches: only the low byte of each is tested.
int fontFlags(int bold, int italic, int underline) {
    int flags = 0;
    if (bold & 0xFF) flags |= kFontBold;
    if (italic & 0xFF) flags |= kFontItalic;
    if (underline & 0xFF) flags |= kFontUnderline;
    return flags;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int LoadFont(KrString* name, int height, int bold, int italic, int underline) {
    KrFontDriver* driver = currentFontDriver();
    if (!driver) return 0;
    return toHandle(driver->createFont(krText(name), height, fontFlags(bold, italic, underline)));
}

__attribute__((stdcall)) void FreeFont(int font) {
    if (font == 0) return;
    castHandle<KrFont>(font)->release();
}

}

KR_COMMAND(Runtime, "%LoadFont$fontname%height%bold=0%italic=0%underline=0", LoadFont);
KR_COMMAND(Runtime, "FreeFont%font", FreeFont);
