#include "gfx2d/collision_mask.h"

#include <algorithm>
#include <cstdlib>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "gfx2d/kr_pixmap.h"

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

void CollisionMask::FreeBits::operator()(uint32_t* p) const { std::free(p); }

CollisionMask::CollisionMask(int width, int height, uint32_t* bits)
    : width_(width), height_(height), stride_((width + 31) / 32), bits_(bits) {}

std::unique_ptr<CollisionMask> CollisionMask::build(const uint32_t* argb, int width, int height, int pitch,
                                                    uint32_t maskColour) {
    // Plain allocation, so that a failure comes back here as null instead of
    // ending the run with this memory half made.
    const size_t words = size_t((width + 31) / 32) * size_t(height);
    auto* bits = static_cast<uint32_t*>(std::calloc(words ? words : 1, sizeof(uint32_t)));
    if (!bits) return nullptr;
    std::unique_ptr<CollisionMask> mask(new CollisionMask(width, height, bits));
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

std::unique_ptr<CollisionMask> CollisionMask::ofGraphics(KrGraphics* graphics, uint32_t maskColour) {
    const int w = graphics->width(), h = graphics->height();
    std::unique_ptr<CollisionMask> mask;
    uint8_t* pixels;
    int pitch, format;
    graphics->lock(&pixels, &pitch, &format);
    const uint32_t key = quantize(format, maskColour);
    if (format == kFormatXrgb8888 || format == kFormatArgb8888) {
        // The stored words already are the colours whose low 24 bits are
        // compared: no copy.
        mask = build(reinterpret_cast<const uint32_t*>(pixels), w, h, pitch, key);
        graphics->unlock();
        return mask;
    }
    graphics->unlock();
    KrPixmap* scratch = KrPixmap::tryCreate(w, h, kFormatXrgb8888, 4);
    if (!scratch) return mask;
    scratch->blit(0, 0, w, h, graphics, 0, 0, 0);
    mask = build(reinterpret_cast<const uint32_t*>(scratch->pixels()), w, h, scratch->pitch(), key);
    scratch->release();
    return mask;
}

bool boxesOverlap(int64_t x1, int64_t y1, int64_t width1, int64_t height1, int64_t x2, int64_t y2, int64_t width2,
                  int64_t height2) {
    return x2 < x1 + width1 && x1 < x2 + width2 && y2 < y1 + height1 && y1 < y2 + height2;
}

bool masksCollide(const CollisionMask& a, int64_t leftA, int64_t topA, const CollisionMask& b, int64_t leftB,
                  int64_t topB) {
    if (!boxesOverlap(leftA, topA, a.width(), a.height(), leftB, topB, b.width(), b.height())) return false;
    // A is the left one; equal lefts keep the order.
    const CollisionMask* pa = &a;
    const CollisionMask* pb = &b;
    if (leftB < leftA) {
        std::swap(pa, pb);
        std::swap(leftA, leftB);
        std::swap(topA, topB);
    }
    const int64_t right = std::min(leftA + pa->width(), leftB + pb->width());
    const int64_t top = std::max(topA, topB);
    const int64_t bottom = std::min(topA + pa->height(), topB + pb->height());
    // The boxes overlap, so every offset below lies inside A and B.
    const int d = int(leftB - leftA);
    const int u = d / 32;
    const int shift = d % 32;
    const int span = int(right - leftA - 1);
    const int last = span / 32 - u;
    const uint32_t endMask = rightMask(span % 32);
    const int strideA = pa->stride(), strideB = pb->stride();
    // Words of B's row past its end would only add bits that the end mask
    // removes: they count as 0 and are never read.
    const int readable = std::min(last, strideB);
    const uint32_t* rowA = pa->row(int(top - topA)) + u;
    const uint32_t* rowB = pb->row(int(top - topB));
    for (int64_t y = top; y < bottom; ++y, rowA += strideA, rowB += strideB) {
        // Word j of B shifted right by `shift`, with the low bits of word
        // j − 1 carried in from the left, lines up with word j of A's row.
        uint64_t window = 0;
        uint32_t hits = 0;
        int j = 0;
        for (; j < readable; ++j) {
            window = window << 32 | rowB[j];
            hits |= uint32_t(window >> shift) & rowA[j];
        }
        for (; j < last; ++j) {
            window <<= 32;
            hits |= uint32_t(window >> shift) & rowA[j];
        }
        window = window << 32 | (last < strideB ? rowB[last] : 0);
        hits |= uint32_t(window >> shift) & rowA[last] & endMask;
        if (hits) return true;
    }
    return false;
}

bool maskRectCollide(const CollisionMask& mask, int64_t left, int64_t top, int rectX, int rectY, int rectWidth,
                     int rectHeight) {
    if (!boxesOverlap(left, top, mask.width(), mask.height(), rectX, rectY, rectWidth, rectHeight)) return false;
    const int x0 = int(std::max(int64_t(rectX), left) - left);
    const int x1 = int(std::min(left + mask.width(), int64_t(rectX) + rectWidth) - left);
    const int y0 = int(std::max(int64_t(rectY), top) - top);
    const int y1 = int(std::min(top + mask.height(), int64_t(rectY) + rectHeight) - top);
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
