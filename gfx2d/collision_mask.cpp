#include "gfx2d/collision_mask.h"

#include <algorithm>
#include <cstring>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace {

// Left edge masks keep bits k … 31 counted from the left; right edge masks
// keep the top k + 1 bits.
constexpr uint32_t leftMask(int k) { return 0xFFFFFFFFu >> k; }
constexpr uint32_t rightMask(int k) { return 0xFFFFFFFFu << (31 - k); }

// One word of mask bits for n ≤ 32 pixels, the first pixel in bit 31.
uint32_t maskWordScalar(const uint32_t* p, int n, uint32_t key) {
    uint32_t word = 0;
    for (int i = 0; i < n; ++i)
        if ((p[i] & 0xFFFFFFu) != key) word |= 0x80000000u >> i;
    return word;
}

#ifdef __SSE2__
// Four pixels compared at once: movemask gives pixel i in bit i, reversed
// here so the first pixel lands in the highest bit of the nibble.
constexpr uint8_t kReverseNibble[16] = {0, 8, 4, 12, 2, 10, 6, 14, 1, 9, 5, 13, 3, 11, 7, 15};

uint32_t maskWord32(const uint32_t* p, __m128i key, __m128i low24) {
    uint32_t word = 0;
    for (int i = 0; i < 32; i += 4) {
        __m128i v = _mm_and_si128(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p + i)), low24);
        int equal = _mm_movemask_ps(_mm_castsi128_ps(_mm_cmpeq_epi32(v, key)));
        word = word << 4 | kReverseNibble[~equal & 15];
    }
    return word;
}
#endif

} // namespace

CollisionMask::CollisionMask(int width, int height)
    : width_(width), height_(height), stride_((width + 31) / 32),
      bits_(new uint32_t[size_t(stride_) * size_t(height)]()) {}

std::unique_ptr<CollisionMask> CollisionMask::build(const uint32_t* argb, int width, int height, int pitch,
                                                    uint32_t maskColour) {
    std::unique_ptr<CollisionMask> mask(new CollisionMask(width, height));
    const uint32_t key = maskColour & 0xFFFFFFu;
    const int whole = width / 32;
    const int rest = width % 32;
#ifdef __SSE2__
    const __m128i keys = _mm_set1_epi32(int(key));
    const __m128i low24 = _mm_set1_epi32(0xFFFFFF);
#endif
    for (int y = 0; y < height; ++y) {
        const uint32_t* src =
            reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(argb) + ptrdiff_t(y) * pitch);
        uint32_t* out = mask->bits_.get() + ptrdiff_t(y) * mask->stride_;
        for (int w = 0; w < whole; ++w) {
#ifdef __SSE2__
            out[w] = maskWord32(src + w * 32, keys, low24);
#else
            out[w] = maskWordScalar(src + w * 32, 32, key);
#endif
        }
        if (rest) out[whole] = maskWordScalar(src + whole * 32, rest, key);
    }
    return mask;
}

bool boxesOverlap(int x1, int y1, int width1, int height1, int x2, int y2, int width2, int height2) {
    return int64_t(x2) < int64_t(x1) + width1 && int64_t(x1) < int64_t(x2) + width2 &&
           int64_t(y2) < int64_t(y1) + height1 && int64_t(y1) < int64_t(y2) + height2;
}

bool masksCollide(const CollisionMask& a, int leftA, int topA, const CollisionMask& b, int leftB, int topB) {
    if (!boxesOverlap(leftA, topA, a.width(), a.height(), leftB, topB, b.width(), b.height())) return false;
    // A is the left one; equal lefts keep the order.
    const CollisionMask* pa = &a;
    const CollisionMask* pb = &b;
    if (leftB < leftA) {
        std::swap(pa, pb);
        std::swap(leftA, leftB);
        std::swap(topA, topB);
    }
    const int64_t right = std::min(int64_t(leftA) + pa->width(), int64_t(leftB) + pb->width());
    const int64_t top = std::max(topA, topB);
    const int64_t bottom = std::min(int64_t(topA) + pa->height(), int64_t(topB) + pb->height());
    // The boxes overlap, so every offset below lies inside A and B.
    const int d = int(int64_t(leftB) - leftA);
    const int u = d / 32;
    const int shift = d % 32;
    const int span = int(right - leftA - 1);
    const int last = span / 32 - u;
    const uint32_t endMask = rightMask(span % 32);
    const int strideB = pb->stride();
    for (int64_t y = top; y < bottom; ++y) {
        const uint32_t* rowA = pa->row(int(y - topA)) + u;
        const uint32_t* rowB = pb->row(int(y - topB));
        uint32_t carry = 0;
        for (int j = 0; j < last; ++j) {
            // A word past the end of B's row would only add bits that the
            // end mask removes.
            uint32_t w = j < strideB ? rowB[j] : 0;
            if (((w >> shift) | carry) & rowA[j]) return true;
            carry = shift ? w << (32 - shift) : 0;
        }
        uint32_t w = last < strideB ? rowB[last] : 0;
        if (((w >> shift) | carry) & rowA[last] & endMask) return true;
    }
    return false;
}

bool maskRectCollide(const CollisionMask& mask, int left, int top, int rectX, int rectY, int rectWidth,
                     int rectHeight) {
    if (!boxesOverlap(left, top, mask.width(), mask.height(), rectX, rectY, rectWidth, rectHeight)) return false;
    const int x0 = int(std::max(int64_t(rectX), int64_t(left)) - left);
    const int x1 = int(std::min(int64_t(left) + mask.width(), int64_t(rectX) + rectWidth) - left);
    const int y0 = int(std::max(int64_t(rectY), int64_t(top)) - top);
    const int y1 = int(std::min(int64_t(top) + mask.height(), int64_t(rectY) + rectHeight) - top);
    // An empty or negative rectangle passes the strict box test when it lies
    // inside the mask's box, but it covers no pixel.
    if (x0 >= x1 || y0 >= y1) return false;
    const int first = x0 / 32, last = (x1 - 1) / 32;
    uint32_t lm = leftMask(x0 % 32);
    const uint32_t rm = rightMask((x1 - 1) % 32);
    if (first == last) lm &= rm;
    for (int y = y0; y < y1; ++y) {
        const uint32_t* row = mask.row(y);
        if (row[first] & lm) return true;
        for (int w = first + 1; w < last; ++w)
            if (row[w]) return true;
        if (first != last && (row[last] & rm)) return true;
    }
    return false;
}
