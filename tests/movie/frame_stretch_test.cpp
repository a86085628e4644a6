// Placing a scaled movie frame: the clipped rectangles and the nearest-pixel
// software copy. Expected values are worked out from the mapping: a
// destination pixel at offset d in a span of length n over a frame of size
// s shows frame pixel floor(d * s / n); a clipped right or bottom edge maps
// back rounding up.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "gfx2d/kr_pixmap.h"
#include "movie/frame_stretch.h"

namespace {

std::string rects(const FrameStretch& p) {
    return std::to_string(p.dstLeft) + "," + std::to_string(p.dstTop) + "," + std::to_string(p.dstRight) + "," +
           std::to_string(p.dstBottom) + " <- " + std::to_string(p.srcLeft) + "," + std::to_string(p.srcTop) + "," +
           std::to_string(p.srcRight) + "," + std::to_string(p.srcBottom);
}

std::string plan(int tw, int th, int fw, int fh, int x, int y, int w, int h) {
    FrameStretch p;
    return planFrameStretch(tw, th, fw, fh, x, y, w, h, p) ? rects(p) : "none";
}

TEST(FrameStretchPlan, UnclippedDrawsTakeTheWholeFrame) {
    EXPECT_EQ(plan(100, 100, 4, 2, 10, 20, 8, 4), "10,20,18,24 <- 0,0,4,2");
    EXPECT_EQ(plan(100, 100, 4, 2, 0, 0, 4, 2), "0,0,4,2 <- 0,0,4,2");
    // A shrunk frame still reads all of it.
    EXPECT_EQ(plan(100, 100, 320, 240, 0, 0, 3, 1), "0,0,3,1 <- 0,0,320,240");
}

TEST(FrameStretchPlan, ClippedEdgesMapBackRoundingOutward) {
    // Left 4 of 8 cut: frame x from 4 * 4 / 8 = 2. Top 1 of 4 cut: 1 * 2 / 4
    // rounds down to 0; bottom (target 2 high) at 3 of 4: ceil(3 * 2 / 4) = 2.
    EXPECT_EQ(plan(100, 2, 4, 2, -4, -1, 8, 4), "0,0,4,2 <- 2,0,4,2");
    // Bottom at 1 of 4 from y = -1: ceil(1 * 2 / 4) = 1.
    EXPECT_EQ(plan(100, 1, 4, 2, 0, -1, 4, 4), "0,0,4,1 <- 0,0,4,1");
    // Right edge at 4 of 8 (target 10 wide from x = 6): ceil(4 * 4 / 8) = 2;
    // at 3 of 8 it would be ceil(1.5) = 2 as well.
    EXPECT_EQ(plan(10, 10, 4, 2, 6, 0, 8, 4), "6,0,10,4 <- 0,0,2,2");
    EXPECT_EQ(plan(9, 10, 4, 2, 6, 0, 8, 4), "6,0,9,4 <- 0,0,2,2");
}

TEST(FrameStretchPlan, NothingVisibleOrNothingToDraw) {
    EXPECT_EQ(plan(10, 10, 4, 2, 10, 0, 4, 2), "none");
    EXPECT_EQ(plan(10, 10, 4, 2, -4, 0, 4, 2), "none");
    EXPECT_EQ(plan(10, 10, 4, 2, 0, 10, 4, 2), "none");
    EXPECT_EQ(plan(10, 10, 4, 2, 0, 0, 0, 2), "none");
    EXPECT_EQ(plan(10, 10, 4, 2, 0, 0, 4, -1), "none");
    EXPECT_EQ(plan(10, 10, 0, 2, 0, 0, 4, 2), "none");
}

TEST(FrameStretchPlan, HugeRectanglesDoNotOverflow) {
    EXPECT_EQ(plan(10, 10, 4, 2, INT_MAX - 1, 0, INT_MAX, 2), "none");
    // From x = -2e9 over 2.1e9 pixels: frame x floor(2e9 * 4 / 2.1e9) = 3
    // to ceil((2e9 + 10) * 4 / 2.1e9) = 4.
    EXPECT_EQ(plan(10, 10, 4, 2, -2000000000, 0, 2100000000, 2), "0,0,10,2 <- 3,0,4,2");
}

// The target's rows as letters: R, G, B, W for those colours, '.' for black.
std::string rowsOf(KrGraphics* g) {
    std::string out;
    for (int y = 0; y < g->height(); ++y) {
        for (int x = 0; x < g->width(); ++x) {
            uint32_t argb = 0;
            g->readPixels(x, y, 1, 1, &argb, 4);
            switch (argb & 0xFFFFFF) {
            case 0xFF0000: out += 'R'; break;
            case 0x00FF00: out += 'G'; break;
            case 0x0000FF: out += 'B'; break;
            case 0xFFFFFF: out += 'W'; break;
            case 0x000000: out += '.'; break;
            default: out += '?';
            }
        }
        out += '/';
    }
    return out;
}

KrPixmap* frameOf(int w, int h, const uint32_t* argb) {
    KrPixmap* frame = KrPixmap::create(w, h, 4, 4);
    frame->writePixels(0, 0, w, h, argb, w * 4);
    return frame;
}

void drawFrame(KrGraphics* target, KrGraphics* frame, int x, int y, int w, int h) {
    FrameStretch p;
    ASSERT_TRUE(planFrameStretch(target->width(), target->height(), frame->width(), frame->height(), x, y, w, h, p));
    stretchFrame(*target, *frame, x, y, w, h, p);
}

TEST(FrameStretchCopy, EnlargesShrinksAndClipsByNearestPixel) {
    const uint32_t quad[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    KrPixmap* frame = frameOf(2, 2, quad);
    KrPixmap* target = KrPixmap::create(5, 5, 4, 4);
    target->fillRect(0, 0, 5, 5, 0xFF000000);
    drawFrame(target, frame, 0, 0, 4, 4);
    EXPECT_EQ(rowsOf(target), "RRGG./RRGG./BBWW./BBWW./...../");

    // From x = -1, y = -1 at 3 x 3: columns 1, 2 of the span show frame
    // x 0 (2 / 3 = 0) and 1 (4 / 3 = 1); rows likewise.
    target->fillRect(0, 0, 5, 5, 0xFF000000);
    drawFrame(target, frame, -1, -1, 3, 3);
    EXPECT_EQ(rowsOf(target), "RG.../BW.../...../...../...../");
    frame->release();

    // Four frame pixels into two: frame x 0 and 2.
    const uint32_t strip[] = {0xFFFF0000, 0xFF00FF00, 0xFF0000FF, 0xFFFFFFFF};
    frame = frameOf(4, 1, strip);
    target->fillRect(0, 0, 5, 5, 0xFF000000);
    drawFrame(target, frame, 3, 4, 2, 1);
    EXPECT_EQ(rowsOf(target), "...../...../...../...../...RB/");
    frame->release();
    target->release();
}

} // namespace
