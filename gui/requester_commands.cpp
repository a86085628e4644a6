// The requester commands: the three message boxes, and the file, directory,
// colour and font requesters with the colour last chosen.
#include <cstdint>

#include "gfx2d/kr_font.h"
#include "gui/gui_driver.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

// 0xRRGGBB of the last colour chosen; all ones until one is.
uint32_t requestedColour = 0xFFFFFFFF;

KrString* orEmpty(KrString* text) { return text ? text : krNewEmptyString(); }

} // namespace

extern "C" {

__attribute__((stdcall)) void Notify(KrString* text, int serious) { guiDriver().notify(text, serious != 0); }
__attribute__((stdcall)) int Confirm(KrString* text, int serious) { return guiDriver().confirm(text, serious != 0) ? 1 : 0; }
__attribute__((stdcall)) int Proceed(KrString* text, int serious) { return guiDriver().proceed(text, serious != 0); }

__attribute__((stdcall)) KrString* RequestFile(KrString* prompt, KrString* extensions, int save) {
    return orEmpty(guiDriver().requestFile(prompt, extensions, save != 0));
}

__attribute__((stdcall)) KrString* RequestDir(KrString* prompt) { return orEmpty(guiDriver().requestDir(prompt)); }

// Each component keeps its low 8 bits, so that one cannot spill into another.
__attribute__((stdcall)) int RequestColor(int red, int green, int blue) {
    int rgb = (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
    if (!guiDriver().requestColor(rgb)) return 0;
    requestedColour = static_cast<uint32_t>(rgb);
    return 1;
}

__attribute__((stdcall)) int RequestedRed() { return requestedColour >> 16 & 0xFF; }
__attribute__((stdcall)) int RequestedGreen() { return requestedColour >> 8 & 0xFF; }
__attribute__((stdcall)) int RequestedBlue() { return requestedColour & 0xFF; }

__attribute__((stdcall)) int RequestFont() {
    KrFont* font = guiDriver().requestFont();
    return font ? toHandle(font) : 0;
}
}

KR_COMMAND(Runtime, "Notify$text%serious=0", Notify);
KR_COMMAND(Runtime, "%Confirm$text%serious=0", Confirm);
KR_COMMAND(Runtime, "%Proceed$text%serious=0", Proceed);
KR_COMMAND(Gadget, "%RequestFont", RequestFont);
KR_COMMAND(Gadget, "%RequestColor%red=255%green=255%blue=255", RequestColor);
KR_COMMAND(Gadget, "%RequestedRed", RequestedRed);
KR_COMMAND(Gadget, "%RequestedGreen", RequestedGreen);
KR_COMMAND(Gadget, "%RequestedBlue", RequestedBlue);
KR_COMMAND(Gadget, "$RequestDir$prompt=\"\"", RequestDir);
KR_COMMAND(Gadget, "$RequestFile$prompt=\"\"$exts=\"\"%save=0", RequestFile);
