// Win32GLScreen: the screens of the OpenGL back end.
//
// A screen is a window with its own rendering context; its graphics is the
// window's frame buffer, and flip swaps the buffers. A windowed screen is a
// captioned window centred on the desktop; a full-screen screen is a
// borderless window for which the display mode is set to its size and
// depth for its lifetime: restored (and the window minimised) while the
// application is inactive, set again when it is active once more. The
// display keeps its mode when it cannot take the new one; the window still
// works.
#pragma once

#include "gfx2d/backends/opengl/win32_gl_graphics.h"
#include "gfx2d/backends/win32_screen_window.h"

class Win32GLScreen : public Win32ScreenWindow {
public:
    Win32GLScreen(int width, int height, int format, int request);
    ~Win32GLScreen() override;

    // Opens the window and its rendering context (raising the context
    // messages); false when the window cannot be made.
    bool open();

    KrGraphics* graphics() override { return graphics_; }
    void flip(bool vwait) override;

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) override;

private:
    bool fullScreen() const { return !(request_ & kScreenWindowed); }
    void setDisplayMode();
    void restoreDisplayMode();

    int width_;
    int height_;
    int format_;
    int request_;
    bool modeSet_ = false;
    Win32GLGraphics* graphics_ = nullptr;
};
