// Win32ScreenWindow: what every back end's screens share: the window a
// screen shows in, its pointer and mouse position, its caption and its close
// box.
//
// A windowed screen is a captioned window whose client area has the screen's
// size, centred on the desktop; a full-screen screen is a borderless window
// of that size at the desktop's top-left. The window raises key, button,
// wheel and pointer events with the screen as source, and its close box
// raises the window-close event (the program decides). A screen without a
// window is the desktop: the pointer commands work on the system cursor.
#pragma once

#include "gfx2d/kr_screen.h"
#include "gui/win32/win32_hwnd.h"

class Win32ScreenWindow : public KrScreen, public Win32WndProc {
public:
    ~Win32ScreenWindow() override;

    void setPointerVisible(bool show) override;
    void moveMouse(int x, int y) override;
    int mouseX() override;
    int mouseY() override;
    void setTitle(const char* title) override;

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) override;

    HWND window() const { return window_.handle(); }

protected:
    // Opens and shows the window; false when it cannot be made.
    bool openWindow(int width, int height, bool fullScreen);
    // Destroys the window (a screen whose surfaces must go first calls it
    // itself; otherwise the destructor does).
    void closeWindow() { window_.destroy(); }

private:
    Win32Hwnd window_;
};
