// Win32WindowScreen: what the screens of the Windows back ends share.
//
// The desktop screen has no window: its size is the desktop's, and its
// pointer is the desktop cursor. Every other screen has a window of its own,
// captioned and centred on the desktop for a windowed screen (request bit
// 2), borderless over the desktop's top-left corner for a full-screen one.
// The window raises key, button, wheel and pointer events with the screen as
// source, and its close box raises a window-close event instead of closing.
// A back end derives its screen from this one and adds the graphics, flip
// and the display handling of its platform.
#pragma once

#include <windows.h>

#include "gfx2d/kr_screen.h"
#include "gui/win32/win32_hwnd.h"

class Win32WindowScreen : public KrScreen, public Win32WndProc {
public:
    void setPointerVisible(bool show) override;
    void moveMouse(int x, int y) override;
    int mouseX() override;
    int mouseY() override;
    void setTitle(const char* title) override;

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) override;

    HWND window() const { return window_.handle(); }
    bool desktop() const { return desktop_; }
    bool fullScreen() const { return !desktop_ && !(request_ & kScreenWindowed); }

protected:
    // The desktop screen.
    Win32WindowScreen();
    // A windowed or full-screen screen; its window comes with openWindow.
    Win32WindowScreen(int width, int height, int format, int request);

    // Opens and shows the window; false when it cannot be made.
    bool openWindow(const char* title);

    bool desktop_ = false;
    int width_ = 0;
    int height_ = 0;
    int format_ = 0;
    int request_ = 0;
    Win32Hwnd window_;
};
