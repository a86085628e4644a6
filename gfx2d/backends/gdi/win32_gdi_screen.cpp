// Win32GDIScreen: desktop, windowed and full-screen GDI screens.
#include "gfx2d/backends/gdi/win32_gdi_screen.h"

#include "gfx2d/pixel_format.h"
#include "runtime/runtime_error.h"

Win32GDIScreen::Win32GDIScreen() : desktop_(true) {}

Win32GDIScreen::Win32GDIScreen(Win32GDIGraphics* graphics, int format, int request)
    : format_(format), request_(request), graphics_(graphics) {
    graphics_->fillRect(0, 0, graphics_->width(), graphics_->height(), 0xFF000000);
    openWindow(graphics_->width(), graphics_->height(), fullScreen());
}

void Win32GDIScreen::makeCurrent() {
    if (fullScreen() && !modeSet_ && !setDisplayMode()) runtimeError("Failed to set display mode");
    KrScreen::makeCurrent();
}

Win32GDIScreen::~Win32GDIScreen() {
    closeWindow();
    restoreDisplayMode();
    ::release(graphics_);
}

bool Win32GDIScreen::setDisplayMode() {
    DEVMODEA mode = {};
    mode.dmSize = sizeof(mode);
    mode.dmPelsWidth = static_cast<DWORD>(graphics_->width());
    mode.dmPelsHeight = static_cast<DWORD>(graphics_->height());
    mode.dmBitsPerPel = static_cast<DWORD>(8 * bytesPerPixel(format_));
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT | DM_BITSPERPEL;
    modeSet_ = ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) == DISP_CHANGE_SUCCESSFUL;
    return modeSet_;
}

void Win32GDIScreen::restoreDisplayMode() {
    if (!modeSet_) return;
    ChangeDisplaySettingsA(nullptr, 0);
    modeSet_ = false;
}

void Win32GDIScreen::flip(bool) {
    if (desktop_ || !graphics_ || !window()) return;
    DibDc source(graphics_->dib());
    HDC dest = GetDC(window());
    if (source.get() && dest) BitBlt(dest, 0, 0, graphics_->width(), graphics_->height(), source.get(), 0, 0, SRCCOPY);
    if (dest) ReleaseDC(window(), dest);
}

LRESULT Win32GDIScreen::gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) {
    if (message == WM_ACTIVATEAPP && fullScreen()) {
        if (wparam) {
            if (!modeSet_) setDisplayMode();
            ShowWindow(hwnd, SW_RESTORE);
        } else {
            restoreDisplayMode();
            ShowWindow(hwnd, SW_MINIMIZE);
        }
    }
    return Win32ScreenWindow::gadgetProc(hwnd, message, wparam, lparam, previous);
}
