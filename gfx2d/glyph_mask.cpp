#include "gfx2d/glyph_mask.h"

#include <algorithm>

#include "gfx2d/kr_graphics.h"

KrRect clipTextBox(const KrGraphics& target, int64_t x, int64_t y, int width, int height, const KrRect& clip) {
    int64_t left = std::max<int64_t>({x, clip.left, 0});
    int64_t top = std::max<int64_t>({y, clip.top, 0});
    int64_t right = std::min<int64_t>({x + width, clip.right, target.width()});
    int64_t bottom = std::min<int64_t>({y + height, clip.bottom, target.height()});
    if (left >= right || top >= bottom) return KrRect{};
    return KrRect{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right), static_cast<int>(bottom)};
}

void paintGlyphMask(KrGraphics& target, const KrRect& box, const uint32_t* mask, int maskPitch, uint32_t argb) {
    if (box.empty()) return;
    GraphicsLock lock(&target);
    if (!hasLayout(lock.format)) return;
    uint32_t raw = fromArgb(lock.format, argb);
    int step = bytesPerPixel(lock.format);
    for (int row = 0; row < box.height(); ++row) {
        const uint32_t* bits = mask + static_cast<size_t>(row) * maskPitch;
        uint8_t* pixel = lock.at(box.left, box.top + row);
        for (int col = 0; col < box.width(); ++col, pixel += step)
            if (bits[col] & 0xFFFFFF) storeRaw(lock.format, pixel, raw);
    }
}
