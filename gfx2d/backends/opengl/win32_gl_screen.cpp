// Win32GLScreen: windowed and full-screen OpenGL screens.
#include "gfx2d/backends/opengl/win32_gl_screen.h"

#include "gfx2d/pixel_format.h"

Win32GLScreen::Win32GLScreen(int width, int height, int format, int request)
    : width_(width), height_(height), format_(format), request_(request) {}

Win32GLScreen::~Win32GLScreen() {
    if (graphics_) {
        graphics_->unbind();
        graphics_->release();
    }
    graphics_ = nullptr;
    restoreDisplayMode();
    closeWindow();
}

bool Win32GLScreen::open() {
    if (fullScreen()) setDisplayMode();
    if (!openWindow(width_, height_, fullScreen())) return false;
    graphics_ = Win32GLGraphics::createBound(window(), width_, height_);
    return true;
}

void Win32GLScreen::flip(bool) {
    if (Win32GLContext* gl = graphics_ ? graphics_->context() : nullptr) gl->swap();
}

void Win32GLScreen::setDisplayMode() {
    if (modeSet_) return;
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(width_);
    mode.dmPelsHeight = static_cast<DWORD>(height_);
    mode.dmBitsPerPel = static_cast<DWORD>(8 * bytesPerPixel(format_));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    modeSet_ = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
}

void Win32GLScreen::restoreDisplayMode() {
    if (modeSet_) ChangeDisplaySettingsA(nullptr, 0);
    modeSet_ = false;
}

LRESULT Win32GLScreen::gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) {
    switch (message) {
    case WM_ERASEBKGND: return 1; // the frame buffer covers the client area
    case WM_ACTIVATEAPP:
        if (!fullScreen()) break;
        if (wparam) {
            setDisplayMode();
            ShowWindow(hwnd, SW_RESTORE);
        } else {
            restoreDisplayMode();
            ShowWindow(hwnd, SW_MINIMIZE);
        }
        break;
    default: break;
    }
    return Win32ScreenWindow::gadgetProc(hwnd, message, wparam, lparam, previous);
}
