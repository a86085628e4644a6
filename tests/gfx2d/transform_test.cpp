// The resampling transform: box sizes and handles from the corner rule, and
// tiny pictures resampled with the filter off and on. Expected pixels are
// worked out by hand from the mapping and the bilinear weights.
#include <gtest/gtest.h>

#include <vector>

#include "gfx2d/transform.h"

namespace {

TransformPlan plan(int w, int h, TransformMatrix m, int hx, int hy) {
    TransformPlan p{};
    EXPECT_EQ(planTransform(w, h, m, hx, hy, p), TransformCheck::Ok);
    return p;
}

std::vector<uint32_t> run(const std::vector<uint32_t>& src, int w, int h, TransformMatrix m, bool filter,
                          uint32_t background, TransformPlan& p) {
    p = plan(w, h, m, 0, 0);
    std::vector<uint32_t> out(size_t(p.width) * p.height, 0xDEADBEEF);
    transformPixels(p, src.data(), w, h, w, out.data(), p.width, filter, background);
    return out;
}

} // namespace

TEST(Transform, ScaleKeepsOrScalesTheHandle) {
    TransformPlan p = plan(10, 10, {2, 0, 0, 2}, 0, 0);
    EXPECT_EQ(p.width, 20);
    EXPECT_EQ(p.height, 20);
    EXPECT_EQ(-p.minX, 0);
    EXPECT_EQ(-p.minY, 0);
    p = plan(10, 10, {2, 0, 0, 2}, 5, 5);
    EXPECT_EQ(p.width, 20);
    EXPECT_EQ(p.height, 20);
    EXPECT_EQ(-p.minX, 10);
    EXPECT_EQ(-p.minY, 10);
}

TEST(Transform, QuarterTurnGainsAColumnFromTheInexactCosine) {
    // cos 90° in this computation is about +1.2e-8, so the corner (10, 0)
    // lands just right of x = 0 and the box is 5 wide; a positive angle turns
    // clockwise, so the picture extends left of the handle: handle (4, 0).
    TransformMatrix m = rotationMatrix(90);
    EXPECT_GT(m.a, 0.0f);
    EXPECT_LT(m.a, 1e-7f);
    EXPECT_EQ(m.b, 1.0f);
    EXPECT_EQ(m.c, -1.0f);
    TransformPlan p = plan(10, 4, m, 0, 0);
    EXPECT_EQ(p.width, 5);
    EXPECT_EQ(p.height, 10);
    EXPECT_EQ(-p.minX, 4);
    EXPECT_EQ(-p.minY, 0);
}

TEST(Transform, QuarterTurnMovesRightwardPixelsDownward) {
    // 3 × 1 picture turned clockwise becomes a column; its first pixel sits
    // at the top, the last at the bottom, in the rightmost full column.
    std::vector<uint32_t> src = {0xFF000001, 0xFF000002, 0xFF000003};
    TransformPlan p;
    std::vector<uint32_t> out = run(src, 3, 1, rotationMatrix(90), false, 0x00ABCDEF, p);
    ASSERT_EQ(p.width, 2);
    ASSERT_EQ(p.height, 3);
    // Column 0 (x = -1 … 0) holds the picture, column 1 the sliver of
    // background that the inexact cosine added.
    EXPECT_EQ(out, (std::vector<uint32_t>{0xFF000001, 0x00ABCDEF, 0xFF000002, 0x00ABCDEF, 0xFF000003,
                                          0x00ABCDEF}));
}

TEST(Transform, NearestSamplingDoublesPixels) {
    std::vector<uint32_t> src = {1, 2, 3, 4};
    TransformPlan p;
    std::vector<uint32_t> out = run(src, 2, 2, {2, 0, 0, 2}, false, 0, p);
    EXPECT_EQ(out, (std::vector<uint32_t>{1, 1, 2, 2, 1, 1, 2, 2, 3, 3, 4, 4, 3, 3, 4, 4}));
}

TEST(Transform, BilinearBlendsNeighboursAndBackground) {
    // Centres at source x = 0.25, 0.75, 1.25, 1.75 give weights 3/4 and 1/4
    // between background, P0, P1 and background; every channel is
    // trunc(sum + 0.5), alpha included.
    std::vector<uint32_t> src = {0xFFC84000, 0xFF0080FF};
    TransformPlan p;
    std::vector<uint32_t> out = run(src, 2, 1, {2, 0, 0, 1}, true, 0x00000000, p);
    EXPECT_EQ(out, (std::vector<uint32_t>{0xBF963000, 0xFF965040, 0xFF3270BF, 0xBF0060BF}));
}

TEST(Transform, FlipSamplesMirrorImage) {
    // A horizontal flip about the left edge: the box runs from -3 to 0.
    std::vector<uint32_t> src = {1, 2, 3};
    TransformPlan p;
    std::vector<uint32_t> out = run(src, 3, 1, {-1, 0, 0, 1}, false, 0, p);
    EXPECT_EQ(p.minX, -3);
    EXPECT_EQ(out, (std::vector<uint32_t>{3, 2, 1}));
}

TEST(Transform, RefusesSingularAndOversizedMatrices) {
    TransformPlan p;
    EXPECT_EQ(planTransform(4, 4, {0, 0, 0, 0}, 0, 0, p), TransformCheck::Singular);
    EXPECT_EQ(planTransform(4, 4, {1, 2, 2, 4}, 0, 0, p), TransformCheck::Singular);
    EXPECT_EQ(planTransform(4, 4, {1e-30f, 0, 0, 1e-30f}, 0, 0, p), TransformCheck::Singular);
    EXPECT_EQ(planTransform(4, 4, {1e30f, 0, 0, 1}, 0, 0, p), TransformCheck::TooLarge);
    EXPECT_EQ(planTransform(4000, 4000, {10, 0, 0, 10}, 0, 0, p), TransformCheck::TooLarge);
    float nan = __builtin_nanf("");
    EXPECT_EQ(planTransform(4, 4, {nan, 0, 0, 1}, 0, 0, p), TransformCheck::Singular);
    // A tiny but regular matrix still leaves one pixel.
    ASSERT_EQ(planTransform(4, 4, {1e-3f, 0, 0, 1e-3f}, 0, 0, p), TransformCheck::Ok);
    EXPECT_EQ(p.width, 1);
    EXPECT_EQ(p.height, 1);
}
