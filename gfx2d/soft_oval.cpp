// SoftGrDriver2D::oval: spans of an ellipse computed in single precision,
// each row's span drawn as a one-row rectangle. The outline draws, per row,
// the left and right edge runs that join the row's span ends to the
// previous row's, working from the top and bottom rows toward the centre.
#include <cmath>
#include <climits>

#include "gfx2d/soft_gr_driver_2d.h"

namespace {

long long toInt(double v) {
    if (!(v >= INT_MIN)) return INT_MIN; // NaN too
    if (v > INT_MAX) return INT_MAX;
    return static_cast<long long>(v);
}

struct Span {
    long long left, right; // right exclusive
};

// The span at row offset d from the centre.
Span spanAt(float d, float cx, float ry2, float ratio) {
    float hw = static_cast<float>(std::sqrt(static_cast<double>(ry2 - d * d)) * ratio);
    return Span{toInt(std::floor(static_cast<double>(cx) - hw)), toInt(std::floor(static_cast<double>(cx) + hw))};
}

} // namespace

void SoftGrDriver2D::oval(int x, int y, int w, int h, bool solid) {
    context();
    KrRect box = rectOfSize(x, y, w, h), c = box;
    if (!intersect(clip(), c)) return;
    const float fw = static_cast<float>(w), fh = static_cast<float>(h);
    const float ry = fh * 0.5f;
    const float ratio = fw / fh;
    const float cx = static_cast<float>(x) + fw * 0.5f + 0.5f;
    const float cy = static_cast<float>(y) + ry - 0.5f;
    const float ry2 = ry * ry;
    if (!solid) {
        drawOvalOutline(box, c, cx, cy, ry2, ratio);
        return;
    }
    float d = static_cast<float>(c.top) - cy;
    for (int row = c.top; row < c.bottom; ++row, d += 1.0f) {
        Span s = spanAt(d, cx, ry2, ratio);
        fillClipped(s.left, row, s.right - s.left, 1);
    }
}

void SoftGrDriver2D::drawOvalOutline(const KrRect& box, const KrRect& c, float cx, float cy, float ry2, float ratio) {
    const long long icx = static_cast<long long>(cx);
    const long long fcy = toInt(std::floor(static_cast<double>(cy)));
    auto runs = [&](long long row, const Span& s, long long prevL, long long prevR) {
        fillClipped(s.left, row, std::max(prevL, s.left + 1) - s.left, 1);
        long long a = prevR < s.right ? prevR : s.right - 1;
        fillClipped(a, row, s.right - a, 1);
    };
    // Upper half, from the top row down to the centre row. A row above the
    // clipped box only seeds the previous span ends; rows below the box are
    // never visible, so the walk stops there.
    long long prevL = icx, prevR = icx;
    long long row = c.top;
    float d = static_cast<float>(c.top) - cy;
    if (c.top > box.top) {
        row -= 1;
        d -= 1.0f;
    }
    for (const long long last = std::min<long long>(fcy, c.bottom - 1LL); row <= last; ++row, d += 1.0f) {
        Span s = spanAt(d, cx, ry2, ratio);
        runs(row, s, prevL, prevR);
        prevL = s.left;
        prevR = s.right;
    }
    // Lower half, from the bottom row up to the row below the centre.
    prevL = prevR = icx;
    row = c.bottom - 1LL;
    d = static_cast<float>(c.bottom - 1) - cy;
    if (c.bottom < box.bottom) {
        row += 1;
        d += 1.0f;
    }
    for (const long long last = std::max<long long>(fcy, c.top - 1LL); row > last; --row, d -= 1.0f) {
        Span s = spanAt(d, cx, ry2, ratio);
        runs(row, s, prevL, prevR);
        prevL = s.left;
        prevR = s.right;
    }
}
