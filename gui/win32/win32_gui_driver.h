// Win32GuiDriver: the gadget driver of the "Gui" subsystem under the "Native"
// configuration. It starts the common controls and the rich edit library,
// wraps the stock GUI font as the default font of every gadget, makes the
// desktop group and builds each gadget kind's native windows.
#pragma once

#include "gui/gui_driver.h"
#include "gui/win32/win32_hwnd.h"

class KrFont;
class KrPanel;

class Win32GuiDriver : public KrGuiDriver {
public:
    Win32GuiDriver();

    bool startup() override;
    void shutdown() override;

    KrWindow* createWindow(KrGroup* group, int style) override;
    KrPanel* createPanel(KrGroup* group, int style) override;
    KrDesktop* desktop() override { return desktop_; }

    KrFont* defaultFont() const { return defaultFont_; }

private:
    KrDesktop* desktop_ = nullptr;
    KrFont* defaultFont_ = nullptr;
    HDC measuringDc_ = nullptr;
};

// The kinds' constructors, one file each.
KrPanel* win32CreatePanel(KrGroup* group, int style);
KrDesktop* win32CreateDesktop();
