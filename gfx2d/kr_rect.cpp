// Rectangle clipping helpers.
#include "gfx2d/kr_rect.h"

#include <algorithm>
#include <climits>

namespace {

int saturated(long long v) { return static_cast<int>(std::clamp<long long>(v, INT_MIN, INT_MAX)); }

bool overlaps(const KrRect& clip, const KrRect& r) {
    return !r.empty() && !clip.empty() && r.left < clip.right && r.right > clip.left && r.top < clip.bottom && r.bottom > clip.top;
}

} // namespace

KrRect rectOfSize(int x, int y, int w, int h) {
    return KrRect{x, y, saturated(static_cast<long long>(x) + w), saturated(static_cast<long long>(y) + h)};
}

bool intersect(const KrRect& clip, KrRect& r) {
    if (!overlaps(clip, r)) return false;
    r.left = std::max(r.left, clip.left);
    r.top = std::max(r.top, clip.top);
    r.right = std::min(r.right, clip.right);
    r.bottom = std::min(r.bottom, clip.bottom);
    return true;
}

bool clipPair(const KrRect& clip, KrRect& dst, KrRect& src) {
    if (!overlaps(clip, dst)) return false;
    // Sides move in 64 bits: a far-off rectangle must not wrap its source.
    auto move = [](int& side, long long by) { side = saturated(side + by); };
    if (dst.left < clip.left) { move(src.left, 0LL + clip.left - dst.left); dst.left = clip.left; }
    if (dst.top < clip.top) { move(src.top, 0LL + clip.top - dst.top); dst.top = clip.top; }
    if (dst.right > clip.right) { move(src.right, 0LL + clip.right - dst.right); dst.right = clip.right; }
    if (dst.bottom > clip.bottom) { move(src.bottom, 0LL + clip.bottom - dst.bottom); dst.bottom = clip.bottom; }
    return true;
}
