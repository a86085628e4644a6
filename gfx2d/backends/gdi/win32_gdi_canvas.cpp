// Win32GDICanvas and Win32GDICanvasDriver: canvases of the "Native" back end.
//
// A canvas is a child window of its group's client window. Its graphics, a
// 24-bit GDI graphics of the canvas's size, is made on first use; flip copies
// it onto the window's client area with a bit-block transfer, and the window
// repaints itself from it whenever the platform asks, so a canvas that is
// uncovered shows what was drawn last.
#include "gfx2d/backends/gdi/win32_gdi.h"
#include "gfx2d/backends/win32_canvas_window.h"

namespace {

class Win32GDICanvas : public Win32CanvasWindow {
public:
    Win32GDICanvas(KrGroup* group, int style) : Win32CanvasWindow(group, style) {}

    ~Win32GDICanvas() override { ::release(graphics_); }

    KrGraphics* graphics() override {
        if (!graphics_) {
            int w, h;
            graphicsSize(w, h);
            graphics_ = Win32GDIGraphics::create(w, h, 24);
        }
        return graphics_;
    }

    void flip(bool) override {
        if (!graphics_) return;
        HDC dest = GetDC(window());
        if (!dest) return;
        copyTo(dest);
        ReleaseDC(window(), dest);
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam, WNDPROC previous) override {
        if (message == WM_PAINT && graphics_) {
            PAINTSTRUCT paint;
            if (HDC dest = BeginPaint(hwnd, &paint)) copyTo(dest);
            EndPaint(hwnd, &paint);
            return 0;
        }
        return Win32CanvasWindow::gadgetProc(hwnd, message, wparam, lparam, previous);
    }

private:
    void copyTo(HDC dest) {
        DibDc source(graphics_->dib());
        if (source.get())
            BitBlt(dest, 0, 0, graphics_->width(), graphics_->height(), source.get(), 0, 0, SRCCOPY);
    }

    Win32GDIGraphics* graphics_ = nullptr;
};

class Win32GDICanvasDriver : public KrCanvasDriver {
public:
    Win32GDICanvasDriver() { setup("Win32GDICanvasDriver", "Canvas", "Native"); }

    bool startup() override {
        return requireModule("Win32GDI") && requireModule("Win32DIB") && KrCanvasDriver::startup();
    }

    KrCanvas* createCanvas(KrGroup* group, int style) override { return new Win32GDICanvas(group, style); }
};

Win32GDICanvasDriver theDriver;

} // namespace
