// Win32GLCanvas and Win32GLCanvasDriver: canvases of the OpenGL back end.
//
// A canvas is a child window with its own rendering context. Its graphics,
// the window's frame buffer at the canvas's size, is made when first asked
// for; flip swaps the buffers. When the window is resized, the frame buffer
// follows the new client size and shows the graphics scaled, while the
// graphics keeps its size (pointer positions are scaled the same way).
#include "gfx2d/backends/opengl/win32_gl_graphics.h"
#include "gfx2d/backends/win32_canvas_window.h"

namespace {

class Win32GLCanvas : public Win32CanvasWindow {
public:
    using Win32CanvasWindow::Win32CanvasWindow;

    ~Win32GLCanvas() override {
        if (graphics_) {
            graphics_->unbind();
            graphics_->release();
        }
    }

    KrGraphics* graphics() override {
        if (!graphics_) {
            int w, h;
            graphicsSize(w, h);
            graphics_ = Win32GLGraphics::createBound(window(), w, h);
        }
        return graphics_;
    }

    void flip(bool) override {
        if (Win32GLContext* gl = graphics_ ? graphics_->context() : nullptr) gl->swap();
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) override {
        if (message == WM_ERASEBKGND) return 1; // the frame buffer covers the client area
        if (message == WM_SIZE && graphics_ && graphics_->context())
            graphics_->context()->resizeFrame(LOWORD(lparam), HIWORD(lparam));
        return Win32CanvasWindow::gadgetProc(hwnd, message, wparam, lparam, previous);
    }

private:
    Win32GLGraphics* graphics_ = nullptr;
};

class Win32GLCanvasDriver : public KrCanvasDriver {
public:
    Win32GLCanvasDriver() { setup("Win32GLCanvasDriver", "Canvas", "OpenGL"); }

    bool startup() override { return requireModule("Win32GL") && KrCanvasDriver::startup(); }

    KrCanvas* createCanvas(KrGroup* group, int style) override { return new Win32GLCanvas(group, style); }
};

Win32GLCanvasDriver theDriver;

} // namespace
