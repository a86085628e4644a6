// Rectangles of the 2D subsystem: (left, top, right, bottom), right and
// bottom exclusive; empty when left >= right or top >= bottom.
#pragma once

struct KrRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;

    bool empty() const { return left >= right || top >= bottom; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    bool contains(int x, int y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const KrRect&) const = default;
};

// The rectangle of a position and size, its far sides computed without
// overflow (saturating at the int range).
KrRect rectOfSize(int x, int y, int w, int h);

// Shrinks r to its overlap with clip; false (r unchanged) when r is empty or
// does not overlap clip.
bool intersect(const KrRect& clip, KrRect& r);

// Moves each side of dst that lies outside clip onto clip and the same side
// of src by the same amount; false when dst is empty or misses clip.
bool clipPair(const KrRect& clip, KrRect& dst, KrRect& src);
