// Win32DIBGraphics and the Win32DIB module, which holds the display context
// that the bitmaps' memory contexts are made compatible with.
#include "gfx2d/win32/win32_dib_graphics.h"

#include "gfx2d/dib_layout.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"

namespace {

class Win32DIB : public KrModule {
public:
    Win32DIB() { setup("Win32DIB"); }

    // Without a display the contexts are made compatible with the screen
    // by other means (a null context), so the start never fails.
    bool startup() override {
        displayDc_ = GetDC(nullptr);
        return true;
    }

    void shutdown() override {
        if (displayDc_) ReleaseDC(nullptr, displayDc_);
        displayDc_ = nullptr;
    }

    // Bitmaps that outlive the module (freed by modules that stop later)
    // still get a context: one compatible with the screen.
    HDC displayDc() const { return displayDc_; }

    int contexts = 0;

private:
    HDC displayDc_ = nullptr;
};

Win32DIB theModule;

} // namespace

int win32DibContexts() { return theModule.contexts; }

Win32DIBGraphics* Win32DIBGraphics::create(int width, int height, int bits) {
    int format = dibFormatOfBits(bits);
    if (!format) runtimeError("Illegal DIB bits");
    int pitch = dibPitch(width, height, bits);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    HBITMAP bitmap = nullptr;
    if (width > 0 && height > 0 && pitch > 0)
        bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0);
    if (!bitmap || !pixels) {
        if (bitmap) DeleteObject(bitmap);
        runtimeError("CreateDIBSection failed:%i %i", width, height);
    }
    return new Win32DIBGraphics(width, height, bits, pitch, bitmap, static_cast<uint8_t*>(pixels));
}

Win32DIBGraphics::Win32DIBGraphics(int width, int height, int bits, int pitch, HBITMAP bitmap, uint8_t* pixels)
    : KrGraphics(width, height), bits_(bits), format_(dibFormatOfBits(bits)), pitch_(pitch), bitmap_(bitmap),
      pixels_(pixels) {}

Win32DIBGraphics::~Win32DIBGraphics() {
    if (dc_) {
        SelectObject(dc_, previous_);
        DeleteDC(dc_);
        --theModule.contexts;
    }
    DeleteObject(bitmap_);
}

KrGraphics* Win32DIBGraphics::createCompatible(int width, int height) { return create(width, height, bits_); }

void Win32DIBGraphics::lock(uint8_t** pixels, int* pitch, int* format) {
    // GDI may still hold drawing in its queue for this bitmap.
    GdiFlush();
    *pixels = pixels_;
    *pitch = pitch_;
    *format = format_;
}

void Win32DIBGraphics::unlock() {}

HDC Win32DIBGraphics::dc() {
    if (!dc_) {
        dc_ = CreateCompatibleDC(theModule.displayDc());
        if (!dc_) return nullptr;
        previous_ = SelectObject(dc_, bitmap_);
        ++theModule.contexts;
    }
    ++dcCount_;
    return dc_;
}

void Win32DIBGraphics::releaseDc() {
    if (dcCount_ == 0) internalError("Win32DIBGraphics: device context released more often than taken");
    if (--dcCount_ > 0) return;
    GdiFlush();
    SelectObject(dc_, previous_);
    DeleteDC(dc_);
    dc_ = nullptr;
    --theModule.contexts;
}
