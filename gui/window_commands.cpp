// The window commands: creation, activation, menu bar, status text, minimum
// size and the minimised/maximised state.
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/menu.h"
#include "gui/window.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) int CreateWindow(KrString* text, int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, true);
    return finishGadget(guiDriver().createWindow(parent, style), x, y, width, height, text);
}

__attribute__((stdcall)) int ActiveWindow() {
    KrWindow* window = activeWindow();
    return window ? toHandle(window) : 0;
}

__attribute__((stdcall)) void ActivateWindow(int window) { castHandle<KrWindow>(window)->activateWindow(); }
__attribute__((stdcall)) void UpdateWindowMenu(int window) { castHandle<KrWindow>(window)->updateMenu(); }

__attribute__((stdcall)) int SetStatusText(int window, KrString* text) {
    castHandle<KrWindow>(window)->setStatusText(text);
    return 0;
}

__attribute__((stdcall)) void SetMinWindowSize(int window, int width, int height) {
    KrWindow* w = castHandle<KrWindow>(window);
    w->setMinSize(width < 0 ? w->width() : width, height < 0 ? w->height() : height);
}

__attribute__((stdcall)) void MinimizeWindow(int window) { castHandle<KrWindow>(window)->minimise(); }
__attribute__((stdcall)) void MaximizeWindow(int window) { castHandle<KrWindow>(window)->maximise(); }
__attribute__((stdcall)) void RestoreWindow(int window) { castHandle<KrWindow>(window)->restore(); }
__attribute__((stdcall)) int WindowMinimized(int window) { return castHandle<KrWindow>(window)->minimised() ? 1 : 0; }
__attribute__((stdcall)) int WindowMaximized(int window) { return castHandle<KrWindow>(window)->maximised() ? 1 : 0; }
__attribute__((stdcall)) int WindowMenu(int window) { return toHandle(castHandle<KrWindow>(window)->menu()); }
}

KR_COMMAND(Gadget, "%CreateWindow$text%x%y%width%height%group=0%style=15", CreateWindow);
KR_COMMAND(Gadget, "%ActiveWindow", ActiveWindow);
KR_COMMAND(Gadget, "ActivateWindow%window", ActivateWindow);
KR_COMMAND(Gadget, "UpdateWindowMenu%window", UpdateWindowMenu);
KR_COMMAND(Gadget, "%SetStatusText%window$text", SetStatusText);
KR_COMMAND(Gadget, "SetMinWindowSize%window%width=-1%height=-1", SetMinWindowSize);
KR_COMMAND(Gadget, "MinimizeWindow%window", MinimizeWindow);
KR_COMMAND(Gadget, "MaximizeWindow%window", MaximizeWindow);
KR_COMMAND(Gadget, "RestoreWindow%window", RestoreWindow);
KR_COMMAND(Gadget, "%WindowMinimized%window", WindowMinimized);
KR_COMMAND(Gadget, "%WindowMaximized%window", WindowMaximized);
KR_COMMAND(Gadget, "%WindowMenu%window", WindowMenu);
