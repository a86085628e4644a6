// The html view commands: creation, going to a URL, back and forward.
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/html_view.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) int CreateHtmlView(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createHtmlView(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) void HtmlViewGo(int htmlview, KrString* url) { castHandle<KrHtmlView>(htmlview)->go(url); }
__attribute__((stdcall)) void HtmlViewBack(int htmlview) { castHandle<KrHtmlView>(htmlview)->back(); }
__attribute__((stdcall)) void HtmlViewForward(int htmlview) { castHandle<KrHtmlView>(htmlview)->forward(); }
}

KR_COMMAND(Gadget, "%CreateHtmlView%x%y%width%height%group%style=0", CreateHtmlView);
KR_COMMAND(Gadget, "HtmlViewGo%htmlview$URL", HtmlViewGo);
KR_COMMAND(Gadget, "HtmlViewBack%htmlview", HtmlViewBack);
KR_COMMAND(Gadget, "HtmlViewForward%htmlview", HtmlViewForward);
