// Win32DIBGraphics: a KrGraphics on a top-down device-independent bitmap
// (a DIB section) of 16, 24 or 32 bits per pixel, formats 2, 3 and 7.
//
// GDI draws into the bitmap through a memory device context made on first
// use and counted: every dc() is matched by a releaseDc(), and the context
// goes when the count is back at 0, so only bitmaps in use hold one. The
// pixels are the bitmap's own memory: locking waits for GDI's queued drawing
// to finish and hands them out, so GDI and pixel access can be mixed freely.
// The Win32DIB module makes the memory contexts compatible with the display.
#pragma once

#include <windows.h>

#include "gfx2d/kr_graphics.h"

class Win32DIBGraphics : public KrGraphics {
public:
    // A bits other than 16, 24 or 32 raises "Illegal DIB bits"; a bitmap
    // that cannot be made, "CreateDIBSection failed:%i %i" (width, height).
    static Win32DIBGraphics* create(int width, int height, int bits);
    ~Win32DIBGraphics() override;

    // A bitmap of the same depth.
    KrGraphics* createCompatible(int width, int height) override;
    void lock(uint8_t** pixels, int* pitch, int* format) override;
    void unlock() override;

    int bits() const { return bits_; }
    int format() const { return format_; }
    int pitch() const { return pitch_; }
    HBITMAP bitmap() const { return bitmap_; }

    // The memory context with the bitmap selected; null when none can be
    // made. Each call counts and must be matched by releaseDc.
    HDC dc();
    void releaseDc();
    int dcCount() const { return dcCount_; }

private:
    Win32DIBGraphics(int width, int height, int bits, int pitch, HBITMAP bitmap, uint8_t* pixels);

    int bits_;
    int format_;
    int pitch_;
    HBITMAP bitmap_;
    uint8_t* pixels_;
    HDC dc_ = nullptr;
    HGDIOBJ previous_ = nullptr;
    int dcCount_ = 0;
};

// Keeps a graphics' memory context taken for a scope.
class DibDc {
public:
    explicit DibDc(Win32DIBGraphics* graphics) : graphics_(graphics), dc_(graphics->dc()) {}
    ~DibDc() {
        if (dc_) graphics_->releaseDc();
    }
    DibDc(const DibDc&) = delete;
    DibDc& operator=(const DibDc&) = delete;

    HDC get() const { return dc_; }

private:
    Win32DIBGraphics* graphics_;
    HDC dc_;
};

// The memory contexts that bitmaps hold at this moment (for leak checks).
int win32DibContexts();
