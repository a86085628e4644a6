// KrGraphics: a drawable rectangle of pixels in one pixel format.
//
// Every drawable thing of the 2D subsystem is one: pixmaps in memory, display
// surfaces, image frames, canvas buffers. The virtual operations below are in
// their fixed slot order after KrObject's (destructor, free, query). lock and
// unlock are what every kind must give; the fill, read, write and blit slots
// have implementations here that work on any kind through lock/unlock, and a
// platform kind may override them. Rectangles passed to the slots must lie
// inside both surfaces: the slots do not clip, their callers do.
#pragma once

#include <cstdint>

#include "gfx2d/pixel_format.h"
#include "runtime/resource.h"

class KrGraphics : public KrResource {
public:
    // Flag bit of blit: skip source pixels equal to the source's mask colour.
    static constexpr int kBlitMasked = 1;

    KrGraphics(int width, int height) : width_(width), height_(height) {}

    // Slot 3: new graphics of the same kind; here a 32-bit XRGB pixmap.
    virtual KrGraphics* createCompatible(int width, int height);
    // Slot 4.
    virtual void setMaskColor(uint32_t color);
    // Slot 5: stores fromArgb(format, argb) into every pixel of the rectangle.
    virtual void fillRect(int x, int y, int w, int h, uint32_t argb);
    // Slot 6: the ARGB value of each pixel into 32-bit words at dest, rows
    // destPitch bytes apart.
    virtual void readPixels(int x, int y, int w, int h, void* dest, int destPitch);
    // Slot 7: each 32-bit ARGB word at src stored in this format, rows
    // srcPitch bytes apart.
    virtual void writePixels(int x, int y, int w, int h, const void* src, int srcPitch);
    // Slot 8: copies source's rectangle at (sx, sy) to (x, y), converting
    // formats; with kBlitMasked, source pixels whose colour equals the
    // source's quantised mask colour (low 24 bits) leave the destination as
    // it was. Source and destination rectangles must not overlap.
    virtual void blit(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, int flags);
    // Slot 9: the pixel pointer, pitch in bytes and format code.
    virtual void lock(uint8_t** pixels, int* pitch, int* format) = 0;
    // Slot 10.
    virtual void unlock() = 0;

    int width() const { return width_; }
    int height() const { return height_; }
    uint32_t maskColor() const { return maskColor_; }

private:
    int width_;
    int height_;
    uint32_t maskColor_ = 0;
};

// Keeps a graphics locked for a scope.
class GraphicsLock {
public:
    explicit GraphicsLock(KrGraphics* graphics) : graphics_(graphics) { graphics->lock(&pixels, &pitch, &format); }
    ~GraphicsLock() { graphics_->unlock(); }
    GraphicsLock(const GraphicsLock&) = delete;
    GraphicsLock& operator=(const GraphicsLock&) = delete;

    uint8_t* at(int x, int y) const { return pixels + y * pitch + x * bytesPerPixel(format); }

    uint8_t* pixels = nullptr;
    int pitch = 0;
    int format = 0;

private:
    KrGraphics* graphics_;
};
