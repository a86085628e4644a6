// Collision masks and the pixel-exact overlap tests built on them.
//
// A mask holds one bit per pixel of an image frame, set where the pixel is
// not the mask colour. Each row is ⌈width / 32⌉ words; pixel x of a row is bit
// 31 − (x mod 32) of word x / 32, so the most significant bit is the leftmost
// pixel, and bits past the width are 0. The tests compare 32 pixels at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

class KrGraphics;

class CollisionMask {
public:
    // Builds the mask of ARGB rows (pitch in bytes): a bit is set where the
    // pixel's low 24 bits differ from those of maskColour. Null when the
    // memory cannot be had.
    static std::unique_ptr<CollisionMask> build(const uint32_t* argb, int width, int height, int pitch,
                                                uint32_t maskColour);

    // Builds the mask of a graphics of any kind: its mask colour is
    // quantised through its format, and a frame in another format than
    // 32-bit is compared through a 32-bit copy. Null when the memory cannot
    // be had.
    static std::unique_ptr<CollisionMask> ofGraphics(KrGraphics* graphics, uint32_t maskColour);

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    const uint32_t* row(int y) const { return bits_.get() + ptrdiff_t(y) * stride_; }
    bool bit(int x, int y) const { return row(y)[x >> 5] >> (31 - (x & 31)) & 1; }

private:
    struct FreeBits {
        void operator()(uint32_t* p) const;
    };
    CollisionMask(int width, int height, uint32_t* bits);

    int width_, height_, stride_;
    std::unique_ptr<uint32_t[], FreeBits> bits_;
};

// Whether two boxes overlap; boxes that only touch do not. Computed without
// overflow for any int arguments.
bool boxesOverlap(int64_t x1, int64_t y1, int64_t width1, int64_t height1, int64_t x2, int64_t y2, int64_t width2,
                  int64_t height2);

// Whether some pixel position lies in both placed masks with its bit set in
// both; left and top are where each mask's pixel (0, 0) lies.
bool masksCollide(const CollisionMask& a, int64_t leftA, int64_t topA, const CollisionMask& b, int64_t leftB,
                  int64_t topB);

// Whether some pixel of the placed mask inside the rectangle has its bit set.
bool maskRectCollide(const CollisionMask& mask, int64_t left, int64_t top, int rectX, int rectY, int rectWidth,
                     int rectHeight);
