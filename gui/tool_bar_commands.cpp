// The tool bar commands: creation with the icon strip of a picture file,
// enabling and disabling buttons, and the tips.
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/icon_strip.h"
#include "gui/tool_bar.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

extern "C" {

// The strip loaded from `icons` is held by the tool bar alone; a file that
// cannot be read gives a tool bar without buttons.
__attribute__((stdcall)) int CreateToolBar(KrString* icons, int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    KrToolBar* bar = guiDriver().createToolBar(parent, style);
    int handle = finishGadget(bar, x, y, width, height, nullptr);
    if (KrIconStrip* strip = loadIconStripFile(krText(icons))) {
        bar->setIconStrip(strip);
        dropIconStrip(strip);
    }
    return handle;
}

__attribute__((stdcall)) void EnableToolBarItem(int toolbar, int index) {
    castHandle<KrToolBar>(toolbar)->enableItem(index, true);
}

__attribute__((stdcall)) void DisableToolBarItem(int toolbar, int index) {
    castHandle<KrToolBar>(toolbar)->enableItem(index, false);
}

__attribute__((stdcall)) void SetToolBarTips(int toolbar, KrString* tips) { castHandle<KrToolBar>(toolbar)->setTips(tips); }
}

KR_COMMAND(Gadget, "%CreateToolBar$icons%x%y%width%height%group%style=0", CreateToolBar);
KR_COMMAND(Gadget, "EnableToolBarItem%toolbar%index", EnableToolBarItem);
KR_COMMAND(Gadget, "DisableToolBarItem%toolbar%index", DisableToolBarItem);
KR_COMMAND(Gadget, "SetToolBarTips%toolbar$tips", SetToolBarTips);
