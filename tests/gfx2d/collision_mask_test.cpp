// Collision masks and the word-wise tests, checked against a pixel-by-pixel
// reference over placements that straddle 32-pixel word boundaries.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx2d/collision_mask.h"
#include "gfx2d/kr_pixmap.h"

namespace {

constexpr uint32_t kKey = 0x00FF00FF;

struct Picture {
    int w, h;
    std::vector<uint32_t> px;
    Picture(int w_, int h_) : w(w_), h(h_), px(size_t(w_) * h_, 0xFF000000 | kKey) {}
    void set(int x, int y) { px[size_t(y) * w + x] = 0xFF123456; }
    bool solid(int x, int y) const { return (px[size_t(y) * w + x] & 0xFFFFFF) != kKey; }
    std::unique_ptr<CollisionMask> mask() const { return CollisionMask::build(px.data(), w, h, w * 4, kKey); }
};

Picture randomPicture(std::mt19937& rng, int w, int h, int percent) {
    Picture p(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            if (int(rng() % 100) < percent) p.set(x, y);
    return p;
}

bool referenceCollide(const Picture& a, int ax, int ay, const Picture& b, int bx, int by) {
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x) {
            int u = ax + x - bx, v = ay + y - by;
            if (u >= 0 && v >= 0 && u < b.w && v < b.h && a.solid(x, y) && b.solid(u, v)) return true;
        }
    return false;
}

bool referenceRect(const Picture& a, int ax, int ay, int rx, int ry, int rw, int rh) {
    for (int y = 0; y < a.h; ++y)
        for (int x = 0; x < a.w; ++x)
            if (a.solid(x, y) && ax + x >= rx && ax + x < rx + rw && ay + y >= ry && ay + y < ry + rh) return true;
    return false;
}

} // namespace

TEST(CollisionMask, BitsRunFromTheLeftAndIgnoreAlpha) {
    Picture p(35, 2);
    p.set(0, 0);
    p.set(31, 0);
    p.set(32, 0);
    p.set(34, 1);
    p.px[1] = 0x00FF00FF; // the mask colour with another alpha is still the mask colour
    auto m = p.mask();
    ASSERT_EQ(m->stride(), 2);
    EXPECT_EQ(m->row(0)[0], 0x80000001u);
    EXPECT_EQ(m->row(0)[1], 0x80000000u);
    EXPECT_EQ(m->row(1)[0], 0u);
    // Bits past the width stay clear.
    EXPECT_EQ(m->row(1)[1], 0x20000000u);
}

TEST(CollisionMask, BoxesThatOnlyTouchDoNotOverlap) {
    EXPECT_FALSE(boxesOverlap(0, 0, 10, 10, 10, 0, 10, 10));
    EXPECT_TRUE(boxesOverlap(0, 0, 10, 10, 9, 0, 10, 10));
    EXPECT_FALSE(boxesOverlap(0, 0, 10, 10, 0, -10, 10, 10));
    // Sums that would overflow an int are compared exactly.
    EXPECT_FALSE(boxesOverlap(2147483000, 0, 2000, 10, -2147483000, 0, 10, 10));
}

TEST(CollisionMask, CentrePixelsCollideOnlyWhenTheyMeet) {
    Picture p(8, 8);
    p.set(4, 4);
    auto m = p.mask();
    EXPECT_TRUE(masksCollide(*m, 0, 0, *m, 0, 0));
    EXPECT_FALSE(masksCollide(*m, 0, 0, *m, 1, 0));
    EXPECT_FALSE(masksCollide(*m, 0, 0, *m, 0, -1));
    Picture empty(8, 8);
    EXPECT_FALSE(masksCollide(*empty.mask(), 0, 0, *empty.mask(), 0, 0));
}

TEST(CollisionMask, WordBoundaryPlacementsMatchThePixelReference) {
    std::mt19937 rng(1234);
    const int widths[] = {1, 5, 31, 32, 33, 64, 65, 97};
    int checked = 0, hits = 0;
    for (int wa : widths)
        for (int wb : widths) {
            Picture a = randomPicture(rng, wa, 3, 8);
            Picture b = randomPicture(rng, wb, 4, 8);
            auto ma = a.mask(), mb = b.mask();
            for (int dx = -wb - 1; dx <= wa + 1; ++dx)
                for (int dy = -4; dy <= 3; ++dy) {
                    bool want = referenceCollide(a, 7, 3, b, 7 + dx, 3 + dy);
                    ASSERT_EQ(masksCollide(*ma, 7, 3, *mb, 7 + dx, 3 + dy), want)
                        << "widths " << wa << "," << wb << " offset " << dx << "," << dy;
                    ASSERT_EQ(masksCollide(*mb, 7 + dx, 3 + dy, *ma, 7, 3), want);
                    ++checked;
                    hits += want;
                }
        }
    EXPECT_GT(hits, checked / 10) << "the random pictures should collide often enough to test both answers";
}

TEST(CollisionMask, EdgePixelsAcrossTheWordBoundary) {
    // A's only pixel is its last in the first word; B starts exactly there.
    Picture a(40, 1), b(10, 1);
    a.set(31, 0);
    b.set(0, 0);
    auto ma = a.mask(), mb = b.mask();
    EXPECT_TRUE(masksCollide(*ma, 0, 0, *mb, 31, 0));
    EXPECT_FALSE(masksCollide(*ma, 0, 0, *mb, 32, 0));
    EXPECT_FALSE(masksCollide(*ma, 0, 0, *mb, 30, 0));
}

TEST(CollisionMask, RectanglesMatchThePixelReference) {
    std::mt19937 rng(99);
    for (int w : {1, 31, 32, 33, 70}) {
        Picture a = randomPicture(rng, w, 5, 10);
        auto m = a.mask();
        for (int i = 0; i < 3000; ++i) {
            int rx = int(rng() % (w + 20)) - 10, ry = int(rng() % 15) - 5;
            int rw = int(rng() % 50) - 5, rh = int(rng() % 8) - 1;
            ASSERT_EQ(maskRectCollide(*m, 2, 1, rx, ry, rw, rh), referenceRect(a, 2, 1, rx, ry, rw, rh))
                << "width " << w << " rect " << rx << "," << ry << " " << rw << "x" << rh;
        }
    }
}

TEST(CollisionMask, FramesOfEveryFormatCompareQuantisedColours) {
    // Magenta 0x00FF00FF quantises to 0xF800F8 in 16-bit 5-6-5, the colour
    // of stored 0xF81F; in 32-bit formats the top byte plays no part.
    struct Case {
        int format;
        uint32_t pixels[3];
    } cases[] = {{1, {0xF81F, 0x1234, 0xF81F}},
                 {3, {0xFF00FF, 0xFE00FF, 0xFF00FF}},
                 {4, {0x12FF00FF, 0x00FF00FE, 0xFFFF00FF}},
                 {7, {0x00FF00FF, 0xFF0000FF, 0x80FF00FF}}};
    for (const Case& c : cases) {
        KrPixmap* frame = KrPixmap::create(3, 1, c.format, 4);
        for (int x = 0; x < 3; ++x) storeRaw(c.format, frame->pixels() + x * bytesPerPixel(c.format), c.pixels[x]);
        auto mask = CollisionMask::ofGraphics(frame, 0x00FF00FF);
        ASSERT_TRUE(mask);
        EXPECT_EQ(mask->row(0)[0], 0x40000000u) << "format " << c.format;
        frame->release();
    }
}
