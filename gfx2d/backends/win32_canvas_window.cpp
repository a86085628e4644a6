// Win32CanvasWindow: the canvas's child window, client area and pointer.
#include "gfx2d/backends/win32_canvas_window.h"

#include "runtime/runtime_error.h"

Win32CanvasWindow::Win32CanvasWindow(KrGroup* group, int style) : Win32Gadget<KrCanvas>(group, style) {
    HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(group->query(2)));
    HWND hwnd = CreateWindowExA(0, win32WindowClass(), "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent,
                                nullptr, win32Instance(), nullptr);
    if (!hwnd) runtimeError("Unable to create canvas");
    native_.bind(hwnd, this, EventFlagKeysButtons | EventFlagMotion, this);
}

void Win32CanvasWindow::clientRect(int& x, int& y, int& width, int& height) {
    nativeClientRect(native_.handle(), x, y, width, height);
}

void Win32CanvasWindow::graphicsSize(int& width, int& height) {
    int x, y;
    clientRect(x, y, width, height);
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    native_.setLogicalSize(width, height);
}
