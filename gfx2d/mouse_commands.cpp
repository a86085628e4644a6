// The pointer commands of screens and canvases: position, speed, moving and
// showing the pointer. A canvas argument of 0 means the current screen.
#include "events/que_filter.h"
#include "gfx2d/graphics_display.h"
#include "gfx2d/kr_canvas.h"
#include "runtime/symbol_registration.h"

namespace {

// Runs op on the canvas, or on the current screen for 0; without a current
// screen the result is 0.
template <typename Op>
int withPointer(int canvas, Op op) {
    if (canvas != 0) return op(*castHandle<KrCanvas>(canvas));
    if (!activeScreen()) return 0;
    return op(screenArg());
}

int speed(int current, int& last) {
    int moved = current - last;
    last = current;
    return moved;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int MouseX(int canvas) {
    pollEvents();
    return withPointer(canvas, [](auto& target) { return target.mouseX(); });
}

__attribute__((stdcall)) int MouseY(int canvas) {
    pollEvents();
    return withPointer(canvas, [](auto& target) { return target.mouseY(); });
}

__attribute__((stdcall)) int MouseXSpeed(int canvas) {
    pollEvents();
    return withPointer(canvas, [](auto& target) { return speed(target.mouseX(), target.lastMouseX); });
}

__attribute__((stdcall)) int MouseYSpeed(int canvas) {
    pollEvents();
    return withPointer(canvas, [](auto& target) { return speed(target.mouseY(), target.lastMouseY); });
}

__attribute__((stdcall)) void MoveMouse(int x, int y, int canvas) {
    withPointer(canvas, [x, y](auto& target) { return target.moveMouse(x, y), 0; });
}

__attribute__((stdcall)) void ShowPointer(int canvas) {
    withPointer(canvas, [](auto& target) { return target.setPointerVisible(true), 0; });
}

__attribute__((stdcall)) void HidePointer(int canvas) {
    withPointer(canvas, [](auto& target) { return target.setPointerVisible(false), 0; });
}

} // extern "C"

KR_COMMAND(Graphics2D, "%MouseX%canvas=0", MouseX);
KR_COMMAND(Graphics2D, "%MouseY%canvas=0", MouseY);
KR_COMMAND(Graphics2D, "%MouseXSpeed%canvas=0", MouseXSpeed);
KR_COMMAND(Graphics2D, "%MouseYSpeed%canvas=0", MouseYSpeed);
KR_COMMAND(Graphics2D, "MoveMouse%x%y%canvas=0", MoveMouse);
KR_COMMAND(Graphics2D, "ShowPointer%canvas=0", ShowPointer);
KR_COMMAND(Graphics2D, "HidePointer%canvas=0", HidePointer);
