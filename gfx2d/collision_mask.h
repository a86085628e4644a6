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

class CollisionMask {
public:
    // Builds the mask of ARGB rows (pitch in bytes): a bit is set where the
    // pixel's low 24 bits differ from those of maskColour.
    static std::unique_ptr<CollisionMask> build(const uint32_t* argb, int width, int height, int pitch,
                                                uint32_t maskColour);

    int width() const { return width_; }
    int height() const { return height_; }
    int stride() const { return stride_; }
    const uint32_t* row(int y) const { return bits_.get() + ptrdiff_t(y) * stride_; }
    bool bit(int x, int y) const { return row(y)[x >> 5] >> (31 - (x & 31)) & 1; }

private:
    CollisionMask(int width, int height);

    int width_, height_, stride_;
    std::unique_ptr<uint32_t[]> bits_;
};

// Whether two boxes overlap; boxes that only touch do not. Computed without
// overflow for any int arguments.
bool boxesOverlap(int x1, int y1, int width1, int height1, int x2, int y2, int width2, int height2);

// Whether some pixel position lies in both placed masks with its bit set in
// both; left and top are where each mask's pixel (0, 0) lies.
bool masksCollide(const CollisionMask& a, int leftA, int topA, const CollisionMask& b, int leftB, int topB);

// Whether some pixel of the placed mask inside the rectangle has its bit set.
bool maskRectCollide(const CollisionMask& mask, int left, int top, int rectX, int rectY, int rectWidth,
                     int rectHeight);
