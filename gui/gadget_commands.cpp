// The commands that work on any gadget: shape and layout, text, visibility,
// enabling and focus, the getters, client sizes and the desktop.
#include "gfx2d/kr_font.h"
#include "gui/desktop.h"
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/panel.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

KrGroup* creationGroup(int handle, bool allowNone) {
    if (handle == 0 && allowNone) return nullptr;
    return castHandle<KrGroup>(handle);
}

int finishGadget(KrGadget* gadget, int x, int y, int width, int height, KrString* text) {
    gadget->setShape(x, y, width, height);
    if (text) gadget->setText(text);
    gadget->setVisible(true);
    gadget->saveLayoutOrigin();
    return toHandle(gadget);
}

extern "C" {

__attribute__((stdcall)) void FreeGadget(int gadget) {
    if (gadget == 0) return;
    castHandle<KrGadget>(gadget)->release();
}

__attribute__((stdcall)) void SetGadgetFont(int gadget, int font) {
    KrGadget* g = castHandle<KrGadget>(gadget);
    g->setFont(castHandle<KrFont>(font));
}

__attribute__((stdcall)) int GadgetFont(int gadget) {
    KrFont* font = castHandle<KrGadget>(gadget)->font();
    return font ? toHandle(font) : 0;
}

__attribute__((stdcall)) void SetGadgetText(int gadget, KrString* text) { castHandle<KrGadget>(gadget)->setText(text); }

__attribute__((stdcall)) void SetGadgetShape(int gadget, int x, int y, int width, int height) {
    KrGadget* g = castHandle<KrGadget>(gadget);
    g->setShape(x, y, width, height);
    g->saveLayoutOrigin();
}

__attribute__((stdcall)) void SetGadgetLayout(int gadget, int left, int right, int top, int bottom) {
    KrGadget* g = castHandle<KrGadget>(gadget);
    g->setLayoutModes(left, right, top, bottom);
    g->saveLayoutOrigin();
}

__attribute__((stdcall)) void ShowGadget(int gadget) { castHandle<KrGadget>(gadget)->setVisible(true); }
__attribute__((stdcall)) void HideGadget(int gadget) { castHandle<KrGadget>(gadget)->setVisible(false); }
__attribute__((stdcall)) void EnableGadget(int gadget) { castHandle<KrGadget>(gadget)->setEnabled(true); }
__attribute__((stdcall)) void DisableGadget(int gadget) { castHandle<KrGadget>(gadget)->setEnabled(false); }
__attribute__((stdcall)) void ActivateGadget(int gadget) { castHandle<KrGadget>(gadget)->activate(); }

__attribute__((stdcall)) KrString* GadgetText(int gadget) {
    KrString* text = castHandle<KrGadget>(gadget)->text();
    text->retain();
    return text;
}

__attribute__((stdcall)) int GadgetX(int gadget) { return castHandle<KrGadget>(gadget)->x(); }
__attribute__((stdcall)) int GadgetY(int gadget) { return castHandle<KrGadget>(gadget)->y(); }
__attribute__((stdcall)) int GadgetWidth(int gadget) { return castHandle<KrGadget>(gadget)->width(); }
__attribute__((stdcall)) int GadgetHeight(int gadget) { return castHandle<KrGadget>(gadget)->height(); }

__attribute__((stdcall)) int GadgetGroup(int gadget) {
    KrGroup* group = castHandle<KrGadget>(gadget)->group();
    return group ? toHandle(group) : 0;
}

__attribute__((stdcall)) int ClientWidth(int group) { return castHandle<KrGroup>(group)->clientWidth(); }
__attribute__((stdcall)) int ClientHeight(int group) { return castHandle<KrGroup>(group)->clientHeight(); }

__attribute__((stdcall)) int Desktop() { return toHandle(guiDriver().desktop()); }

__attribute__((stdcall)) int CreatePanel(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createPanel(parent, style), x, y, width, height, nullptr);
}

}

KR_COMMAND(Gadget, "FreeGadget%gadget", FreeGadget);
KR_COMMAND(Gadget, "SetGadgetFont%gadget%font", SetGadgetFont);
KR_COMMAND(Gadget, "SetGadgetText%gadget$text", SetGadgetText);
KR_COMMAND(Gadget, "SetGadgetShape%gadget%x%y%width%height", SetGadgetShape);
KR_COMMAND(Gadget, "SetGadgetLayout%gadget%left%right%top%bottom", SetGadgetLayout);
KR_COMMAND(Gadget, "ShowGadget%gadget", ShowGadget);
KR_COMMAND(Gadget, "HideGadget%gadget", HideGadget);
KR_COMMAND(Gadget, "EnableGadget%gadget", EnableGadget);
KR_COMMAND(Gadget, "DisableGadget%gadget", DisableGadget);
KR_COMMAND(Gadget, "ActivateGadget%gadget", ActivateGadget);
KR_COMMAND(Gadget, "%GadgetFont%gadget", GadgetFont);
KR_COMMAND(Gadget, "$GadgetText%gadget", GadgetText);
KR_COMMAND(Gadget, "%GadgetX%gadget", GadgetX);
KR_COMMAND(Gadget, "%GadgetY%gadget", GadgetY);
KR_COMMAND(Gadget, "%GadgetWidth%gadget", GadgetWidth);
KR_COMMAND(Gadget, "%GadgetHeight%gadget", GadgetHeight);
KR_COMMAND(Gadget, "%GadgetGroup%gadget", GadgetGroup);
KR_COMMAND(Gadget, "%ClientWidth%group", ClientWidth);
KR_COMMAND(Gadget, "%ClientHeight%group", ClientHeight);
KR_COMMAND(Gadget, "%Desktop", Desktop);
KR_COMMAND(Gadget, "%CreatePanel%x%y%width%height%group%style=0", CreatePanel);
