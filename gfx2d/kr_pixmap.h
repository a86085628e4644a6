// KrPixmap: the KrGraphics that lives in ordinary memory.
//
// Rows are pitch bytes apart, pitch being the row size rounded up to a
// multiple of the alignment; the pixel at (x, y) is at
// pixels + y * pitch + x * bytesPerPixel. Locking hands out the buffer itself
// and keeps no count. Fresh pixels are zero.
#pragma once

#include "gfx2d/kr_graphics.h"

class KrPixmap : public KrGraphics {
public:
    // A new pixmap. Memory that cannot be had (or a size that does not fit in
    // 32 bits) raises "Out of memory" before any object exists.
    static KrPixmap* create(int width, int height, int format, int alignment);
    // The same, but null instead of the error: for loaders that must fail
    // quietly on hostile sizes.
    static KrPixmap* tryCreate(int width, int height, int format, int alignment);
    ~KrPixmap() override;

    // The pitch of a pixmap, or -1 when the row or the whole buffer would not
    // fit in 32 bits (or an argument is out of range).
    static int pitchFor(int width, int height, int format, int alignment);

    KrGraphics* createCompatible(int width, int height) override;
    void lock(uint8_t** pixels, int* pitch, int* format) override;
    void unlock() override;

    uint8_t* pixels() const { return pixels_; }
    int pitch() const { return pitch_; }
    int format() const { return format_; }
    int alignment() const { return alignment_; }

private:
    KrPixmap(int width, int height, int format, int alignment, int pitch, uint8_t* pixels);

    uint8_t* pixels_ = nullptr;
    int pitch_ = 0;
    int format_;
    int alignment_;
};
