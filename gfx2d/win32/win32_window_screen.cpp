// Win32WindowScreen: the desktop screen's cursor, the screen windows, their
// pointer, caption and close box.
#include "gfx2d/win32/win32_window_screen.h"

#include "events/event_record.h"

Win32WindowScreen::Win32WindowScreen() : desktop_(true) {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
}

Win32WindowScreen::Win32WindowScreen(int width, int height, int format, int request)
    : width_(width), height_(height), format_(format), request_(request) {}

bool Win32WindowScreen::openWindow(const char* title) {
    DWORD style = fullScreen() ? WS_POPUP : WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    int x = 0, y = 0, w = width_, h = height_;
    if (!fullScreen()) {
        RECT r = {0, 0, width_, height_};
        AdjustWindowRect(&r, style, FALSE);
        w = r.right - r.left;
        h = r.bottom - r.top;
        x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
    }
    HWND hwnd = CreateWindowExA(0, win32WindowClass(), title, style, x, y, w, h, nullptr, nullptr, win32Instance(),
                                nullptr);
    if (!hwnd) return false;
    window_.bind(hwnd, this, EventFlagKeysButtons | EventFlagMotion, this);
    ShowWindow(hwnd, SW_SHOW);
    UpdateWindow(hwnd);
    return true;
}

void Win32WindowScreen::setPointerVisible(bool show) {
    if (desktop_)
        ShowCursor(show);
    else
        window_.setPointerShape(show ? 1 : 0);
}

void Win32WindowScreen::moveMouse(int x, int y) {
    if (desktop_)
        SetCursorPos(x, y);
    else
        window_.movePointer(x, y);
}

int Win32WindowScreen::mouseX() {
    if (!desktop_) return window_.lastX();
    POINT p = {0, 0};
    GetCursorPos(&p);
    return p.x;
}

int Win32WindowScreen::mouseY() {
    if (!desktop_) return window_.lastY();
    POINT p = {0, 0};
    GetCursorPos(&p);
    return p.y;
}

void Win32WindowScreen::setTitle(const char* title) {
    if (window()) SetWindowTextA(window(), title);
}

LRESULT Win32WindowScreen::gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) {
    // The close box asks; the program decides.
    if (message == WM_CLOSE) {
        emit(EVENT_WINDOW_CLOSE);
        return 0;
    }
    return Win32WndProc::gadgetProc(hwnd, message, wparam, lparam, previous);
}
