// Win32GDI: the shared null pen and hollow brush; Win32GDIGraphics.
#include "gfx2d/backends/gdi/win32_gdi.h"

#include "runtime/module.h"
#include "runtime/runtime_error.h"

namespace {

class Win32GDI : public KrModule {
public:
    Win32GDI() { setup("Win32GDI"); }

    bool startup() override {
        nullPen_ = CreatePen(PS_NULL, 0, 0);
        LOGBRUSH hollow = {BS_HOLLOW, 0, 0};
        hollowBrush_ = CreateBrushIndirect(&hollow);
        // Stock objects stand in should GDI refuse (they need no deleting).
        if (!nullPen_) nullPen_ = static_cast<HPEN>(GetStockObject(NULL_PEN));
        if (!hollowBrush_) hollowBrush_ = static_cast<HBRUSH>(GetStockObject(HOLLOW_BRUSH));
        return true;
    }

    void shutdown() override {
        DeleteObject(nullPen_);
        DeleteObject(hollowBrush_);
        nullPen_ = nullptr;
        hollowBrush_ = nullptr;
    }

    HPEN nullPen_ = nullptr;
    HBRUSH hollowBrush_ = nullptr;
};

Win32GDI theModule;

} // namespace

HPEN win32NullPen() {
    if (!theModule.nullPen_) internalError("Win32GDI is not running");
    return theModule.nullPen_;
}

HBRUSH win32HollowBrush() {
    if (!theModule.hollowBrush_) internalError("Win32GDI is not running");
    return theModule.hollowBrush_;
}

Win32GDIGraphics* Win32GDIGraphics::create(int width, int height, int bits) {
    return new Win32GDIGraphics(Win32DIBGraphics::create(width, height, bits));
}

Win32GDIGraphics::Win32GDIGraphics(Win32DIBGraphics* dib) : KrGraphics(dib->width(), dib->height()), dib_(dib) {}

Win32GDIGraphics::~Win32GDIGraphics() { dib_->release(); }

KrGraphics* Win32GDIGraphics::createCompatible(int width, int height) { return create(width, height, dib_->bits()); }

void Win32GDIGraphics::lock(uint8_t** pixels, int* pitch, int* format) { dib_->lock(pixels, pitch, format); }

void Win32GDIGraphics::unlock() { dib_->unlock(); }
