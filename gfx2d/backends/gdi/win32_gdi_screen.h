// Win32GDIScreen: the screens of the "Native" back end.
//
// The desktop screen has no graphics to draw into and does not flip. Every
// other screen draws into a 24-bit GDI graphics of its size and flip copies
// it onto its window's client area at (0, 0) with a bit-block transfer. A
// full-screen screen switches the display mode to its size and depth for as
// long as it lives and its application is active: deactivation restores the
// mode and minimises the window, reactivation sets the mode again.
#pragma once

#include "gfx2d/backends/gdi/win32_gdi.h"
#include "gfx2d/backends/win32_screen_window.h"

class Win32GDIScreen : public Win32ScreenWindow {
public:
    // The desktop screen.
    Win32GDIScreen();
    // A windowed or full-screen screen drawing into `graphics` (taken over);
    // check valid() before use.
    Win32GDIScreen(Win32GDIGraphics* graphics, int format, int request);
    ~Win32GDIScreen() override;

    bool valid() const { return desktop_ || window(); }
    bool fullScreen() const { return !desktop_ && !(request_ & kScreenWindowed); }

    KrGraphics* graphics() override { return graphics_; }
    void flip(bool vwait) override;
    // A full-screen screen sets its display mode here, as the driver makes
    // it current; a mode that cannot be set raises "Failed to set display
    // mode".
    void makeCurrent() override;

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) override;

private:
    bool setDisplayMode();
    void restoreDisplayMode();

    bool desktop_ = false;
    int format_ = 0;
    int request_ = 0;
    Win32GDIGraphics* graphics_ = nullptr;
    bool modeSet_ = false;
};
