// The panel background commands: a picture file tiled over it, or a colour.
#include "gfx2d/image_file.h"
#include "gfx2d/kr_pixmap.h"
#include "gui/panel.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

extern "C" {

// A file that cannot be read leaves the panel as it was.
__attribute__((stdcall)) void SetPanelImage(int panel, KrString* file) {
    KrPanel* p = castHandle<KrPanel>(panel);
    KrPixmap* pixmap = loadPixmap(krText(file));
    if (!pixmap) return;
    p->setImage(pixmap);
    pixmap->release();
}

__attribute__((stdcall)) void SetPanelColor(int panel, int red, int green, int blue) {
    castHandle<KrPanel>(panel)->setColour(red, green, blue);
}
}

KR_COMMAND(Gadget, "SetPanelImage%panel$file", SetPanelImage);
KR_COMMAND(Gadget, "SetPanelColor%panel%red%green%blue", SetPanelColor);
