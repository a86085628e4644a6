// Icon strips: loading one from a picture file, freeing it, attaching it to a
// gadget.
#include "gfx2d/image_file.h"
#include "gfx2d/kr_pixmap.h"
#include "gui/gadget.h"
#include "gui/gui_driver.h"
#include "gui/icon_strip.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

KrIconStrip* loadIconStripFile(const char* path) {
    KrPixmap* pixmap = loadPixmap(path);
    if (!pixmap) return nullptr;
    KrIconStrip* strip = guiDriver().loadIconStrip(pixmap);
    pixmap->release();
    return strip;
}

// The driver module holds the strip by the program's reference; a gadget
// that shows the strip holds one of its own. Giving the program's reference
// up means the module must no longer release it when it stops.
void dropIconStrip(KrIconStrip* strip) {
    strip->leaveOwners();
    strip->release();
}

extern "C" {

__attribute__((stdcall)) int LoadIconStrip(KrString* file) {
    KrIconStrip* strip = loadIconStripFile(krText(file));
    return strip ? toHandle(strip) : 0;
}

__attribute__((stdcall)) void FreeIconStrip(int strip) { dropIconStrip(castHandle<KrIconStrip>(strip)); }

__attribute__((stdcall)) void SetGadgetIconStrip(int gadget, int strip) {
    KrGadget* g = castHandle<KrGadget>(gadget);
    g->setIconStrip(castHandle<KrIconStrip>(strip));
}
}

KR_COMMAND(Gadget, "%LoadIconStrip$file", LoadIconStrip);
KR_COMMAND(Gadget, "FreeIconStrip%icon_strip", FreeIconStrip);
KR_COMMAND(Gadget, "SetGadgetIconStrip%gadget%icon_strip", SetGadgetIconStrip);
