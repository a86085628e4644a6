// Win32DDCanvas and Win32DDCanvasDriver: canvases of the DirectDraw back end.
//
// A canvas is a child window of its group's client window with a clipper.
// Its graphics, a display-format surface of the canvas's size, is made on
// first use; from then on the window reports pointer positions in graphics
// pixels however the window is sized. Flipping copies the graphics through
// the clipper onto the primary surface of the canvas's screen, over the
// child window's client area; nothing is copied when that screen is not a
// DirectDraw screen or has no primary surface.
#include "gfx2d/backends/directdraw/win32_dd_screen.h"
#include "gfx2d/backends/win32_canvas_window.h"

namespace {

class Win32DDCanvas : public Win32CanvasWindow {
public:
    Win32DDCanvas(KrGroup* group, int style) : Win32CanvasWindow(group, style) {
        clipper_ = createWindowClipper(window());
        if (!clipper_) runtimeError("Failed to create DirectDraw clipper");
    }

    ~Win32DDCanvas() override {
        ::release(graphics_);
        releaseInterface(clipper_);
    }

    KrGraphics* graphics() override {
        if (!graphics_) {
            int w, h;
            graphicsSize(w, h);
            graphics_ = Win32DDGraphics::create(kDDDisplay, w, h);
            if (!graphics_) runtimeError("Unable to create canvas graphics");
        }
        return graphics_;
    }

    void flip(bool vwait) override {
        auto* screen = dynamic_cast<Win32DDScreen*>(owner());
        IDirectDrawSurface7* front = screen ? screen->primary() : nullptr;
        IDirectDrawSurface7* back = graphics_ ? graphics_->drawSurface() : nullptr;
        if (!front || !back) return;
        if (vwait) waitVerticalBlankStart();
        RECT dst;
        GetClientRect(window(), &dst);
        MapWindowPoints(window(), HWND_DESKTOP, reinterpret_cast<POINT*>(&dst), 2);
        front->SetClipper(clipper_);
        front->Blt(&dst, back, nullptr, DDBLT_WAIT, nullptr);
    }

private:
    Win32DDGraphics* graphics_ = nullptr;
    IDirectDrawClipper* clipper_ = nullptr;
};

class Win32DDCanvasDriver : public KrCanvasDriver {
public:
    Win32DDCanvasDriver() { setup("Win32DDCanvasDriver", "Canvas", "DirectDraw"); }

    KrCanvas* createCanvas(KrGroup* group, int style) override { return new Win32DDCanvas(group, style); }
};

Win32DDCanvasDriver theDriver;

} // namespace
