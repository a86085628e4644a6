// Clipping and the nearest-pixel copy of a scaled movie frame.
#include "movie/frame_stretch.h"

#include <algorithm>
#include <cstdint>
#include <vector>

#include "gfx2d/kr_graphics.h"

namespace {

// The frame coordinate under destination offset d of a span of length n
// that shows `size` frame pixels: rounded down, or up for a right edge.
int frameCoord(int64_t d, int64_t n, int64_t size, bool roundUp) {
    int64_t scaled = d * size;
    return static_cast<int>(roundUp ? (scaled + n - 1) / n : scaled / n);
}

} // namespace

bool planFrameStretch(int targetWidth, int targetHeight, int frameWidth, int frameHeight, int x, int y, int w,
                      int h, FrameStretch& plan) {
    if (w <= 0 || h <= 0 || frameWidth <= 0 || frameHeight <= 0) return false;
    int64_t left = std::max<int64_t>(x, 0), top = std::max<int64_t>(y, 0);
    int64_t right = std::min<int64_t>(int64_t{x} + w, targetWidth);
    int64_t bottom = std::min<int64_t>(int64_t{y} + h, targetHeight);
    if (left >= right || top >= bottom) return false;
    plan.dstLeft = static_cast<int>(left);
    plan.dstTop = static_cast<int>(top);
    plan.dstRight = static_cast<int>(right);
    plan.dstBottom = static_cast<int>(bottom);
    plan.srcLeft = frameCoord(left - x, w, frameWidth, false);
    plan.srcTop = frameCoord(top - y, h, frameHeight, false);
    plan.srcRight = frameCoord(right - x, w, frameWidth, true);
    plan.srcBottom = frameCoord(bottom - y, h, frameHeight, true);
    return true;
}

void stretchFrame(KrGraphics& target, KrGraphics& frame, int x, int y, int w, int h, const FrameStretch& plan) {
    int fw = frame.width(), fh = frame.height();
    std::vector<uint32_t> source(static_cast<size_t>(fw) * fh);
    frame.readPixels(0, 0, fw, fh, source.data(), fw * 4);
    int rowWidth = plan.dstRight - plan.dstLeft;
    std::vector<uint32_t> row(rowWidth);
    std::vector<int> columns(rowWidth);
    for (int i = 0; i < rowWidth; ++i)
        columns[i] = frameCoord(plan.dstLeft + i - int64_t{x}, w, fw, false);
    for (int dy = plan.dstTop; dy < plan.dstBottom; ++dy) {
        const uint32_t* line = &source[static_cast<size_t>(frameCoord(dy - int64_t{y}, h, fh, false)) * fw];
        for (int i = 0; i < rowWidth; ++i) row[i] = line[columns[i]];
        target.writePixels(plan.dstLeft, dy, rowWidth, 1, row.data(), rowWidth * 4);
    }
}
