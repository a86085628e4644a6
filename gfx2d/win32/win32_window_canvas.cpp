// Win32WindowCanvas: the canvas's child window and its pointer.
#include "gfx2d/win32/win32_window_canvas.h"

Win32WindowCanvas::Win32WindowCanvas(KrGroup* group, int style) : Win32Gadget<KrCanvas>(group, style) {
    HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(group->query(2)));
    HWND hwnd = CreateWindowExA(0, win32WindowClass(), "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                                win32Instance(), nullptr);
    if (!hwnd) runtimeError("Unable to create canvas");
    native_.bind(hwnd, this, EventFlagKeysButtons | EventFlagMotion, this);
}

void Win32WindowCanvas::clientRect(int& x, int& y, int& width, int& height) {
    nativeClientRect(native_.handle(), x, y, width, height);
}

void Win32WindowCanvas::setPointerVisible(bool show) { native_.setPointerShape(show ? 1 : 0); }
void Win32WindowCanvas::moveMouse(int x, int y) { native_.movePointer(x, y); }
int Win32WindowCanvas::mouseX() { return native_.lastX(); }
int Win32WindowCanvas::mouseY() { return native_.lastY(); }

void Win32WindowCanvas::takeGraphicsSize(int& width, int& height) {
    int x, y;
    clientRect(x, y, width, height);
    width = width > 0 ? width : 1;
    height = height > 0 ? height : 1;
    native_.setLogicalSize(width, height);
}
