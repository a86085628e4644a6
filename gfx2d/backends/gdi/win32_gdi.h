// Win32GDI: the GDI objects the whole "Native" back end shares, and
// Win32GDIGraphics, the kind of graphics it draws into.
//
// The module makes the null pen and the hollow brush when it starts: outline
// shapes fill with the hollow brush, and the null pen stands in a context
// while a pen of the 2D driver is replaced. A Win32GDIGraphics wraps a
// Win32DIBGraphics: pixel access goes straight to the bitmap's memory, GDI
// draws through the bitmap's counted memory context.
#pragma once

#include "gfx2d/win32/win32_dib_graphics.h"

HPEN win32NullPen();
HBRUSH win32HollowBrush();

class Win32GDIGraphics : public KrGraphics {
public:
    // A graphics on a new bitmap of 16, 24 or 32 bits (the DIB's errors).
    static Win32GDIGraphics* create(int width, int height, int bits);
    ~Win32GDIGraphics() override;

    KrGraphics* createCompatible(int width, int height) override;
    void lock(uint8_t** pixels, int* pitch, int* format) override;
    void unlock() override;

    Win32DIBGraphics* dib() const { return dib_; }

private:
    explicit Win32GDIGraphics(Win32DIBGraphics* dib);

    Win32DIBGraphics* dib_;
};
