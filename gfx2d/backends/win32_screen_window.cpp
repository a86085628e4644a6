// Win32ScreenWindow: the screen window, pointer, caption and close box.
#include "gfx2d/backends/win32_screen_window.h"

Win32ScreenWindow::~Win32ScreenWindow() { window_.destroy(); }

bool Win32ScreenWindow::openWindow(int width, int height, bool fullScreen) {
    DWORD style = fullScreen ? WS_POPUP : WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    int x = 0, y = 0, w = width, h = height;
    if (!fullScreen) {
        RECT r = {0, 0, width, height};
        AdjustWindowRect(&r, style, FALSE);
        w = r.right - r.left;
        h = r.bottom - r.top;
        x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    }
    HWND hwnd =
        CreateWindowExA(0, win32WindowClass(), "", style, x, y, w, h, nullptr, nullptr, win32Instance(), nullptr);
    if (!hwnd) return false;
    window_.bind(hwnd, this, EventFlagKeysButtons | EventFlagMotion, this);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return true;
}

void Win32ScreenWindow::setPointerVisible(bool show) {
    if (!window())
        ShowCursor(show);
    else
        window_.setPointerShape(show ? 1 : 0);
}

void Win32ScreenWindow::moveMouse(int x, int y) {
    if (!window())
        SetCursorPos(x, y);
    else
        window_.movePointer(x, y);
}

int Win32ScreenWindow::mouseX() {
    if (window()) return window_.lastX();
    POINT p = {0, 0};
    GetCursorPos(&p);
    return p.x;
}

int Win32ScreenWindow::mouseY() {
    if (window()) return window_.lastY();
    POINT p = {0, 0};
    GetCursorPos(&p);
    return p.y;
}

void Win32ScreenWindow::setTitle(const char* title) {
    if (window()) SetWindowTextA(window(), title);
}

LRESULT Win32ScreenWindow::gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) {
    // The close box asks; the program decides.
    if (message == WM_CLOSE) {
        emit(EVENT_WINDOW_CLOSE);
        return 0;
    }
    return Win32WndProc::gadgetProc(hwnd, message, wparam, lparam, previous);
}
