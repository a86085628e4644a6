// The layout arithmetic of one axis, with the expected numbers worked out by
// hand from the rules: free edges keep the size and scale the centre, pinned
// edges keep their distance to their side, scaled edges scale, integer
// division truncates toward zero and overflow wraps.
#include <gtest/gtest.h>

#include <climits>

#include "gui/layout.h"

namespace {

// current = origin unless given; origin client 400 unless given.
LayoutSpan axis(int origin, int size, int originClient, int client, int low, int high, int current = INT32_MIN,
                int currentSize = INT32_MIN) {
    LayoutAxisInput in{current == INT32_MIN ? origin : current, currentSize == INT32_MIN ? size : currentSize,
                       origin, size, originClient, client, low, high};
    return layoutAxis(in);
}

void expectSpan(LayoutSpan got, int low, int high) {
    EXPECT_EQ(got.low, low) << "low edge: got " << got.low << ", expected " << low;
    EXPECT_EQ(got.high, high) << "high edge: got " << got.high << ", expected " << high;
}

} // namespace

TEST(LayoutAxis, FreeEdgesKeepTheSizeAndScaleTheCentre) {
    // (50 + 50) * 800 / 400 - 50 = 150.
    expectSpan(axis(50, 100, 400, 800, LayoutFree, LayoutFree), 150, 250);
    // Odd size: half = 2; (10 + 2) * 300 / 200 - 2 = 16.
    expectSpan(axis(10, 5, 200, 300, LayoutFree, LayoutFree), 16, 21);
    // Shrinking: (50 + 50) * 200 / 400 - 50 = 0.
    expectSpan(axis(50, 100, 400, 200, LayoutFree, LayoutFree), 0, 100);
    // The current position plays no part.
    expectSpan(axis(50, 100, 400, 800, LayoutFree, LayoutFree, 999, 7), 150, 250);
}

TEST(LayoutAxis, PinnedAndScaledEdges) {
    // Both pinned: stretched by exactly the change of the client size.
    expectSpan(axis(10, 100, 400, 500, LayoutPinned, LayoutPinned), 10, 210);
    expectSpan(axis(10, 100, 400, 350, LayoutPinned, LayoutPinned), 10, 60);
    // Both scaled: origin x 10, width 20, client 100 -> 200 gives x 20, width 40.
    expectSpan(axis(10, 20, 100, 200, LayoutScaled, LayoutScaled), 20, 60);
    // Free left, pinned right: keeps its width and its distance to the right.
    expectSpan(axis(300, 50, 400, 600, LayoutFree, LayoutPinned), 500, 550);
    // Pinned left, free right: stays put with its origin width.
    expectSpan(axis(30, 50, 400, 600, LayoutPinned, LayoutFree, 77, 9), 30, 80);
    // Scaled left, free right; free left, scaled right.
    expectSpan(axis(30, 50, 400, 600, LayoutScaled, LayoutFree), 45, 95);
    expectSpan(axis(30, 50, 400, 600, LayoutFree, LayoutScaled), 70, 120);
    // Pinned left, scaled right.
    expectSpan(axis(30, 50, 400, 600, LayoutPinned, LayoutScaled), 30, 120);
}

TEST(LayoutAxis, ModesOutsideTheTableLeaveTheirEdgeWhereItIs) {
    // Left mode 5 keeps the current left; the pinned right still moves.
    expectSpan(axis(30, 50, 400, 600, 5, LayoutPinned, 40, 60), 40, 280);
    // Left mode -1 with a free right: right follows the current left.
    expectSpan(axis(30, 50, 400, 600, -1, LayoutFree, 40, 60), 40, 90);
    // Both unknown: the current shape stays.
    expectSpan(axis(30, 50, 400, 600, 3, 7, 40, 60), 40, 100);
    // Unknown right with a free left: left follows the current right.
    expectSpan(axis(30, 50, 400, 600, LayoutFree, 9, 40, 60), 50, 100);
}

TEST(LayoutAxis, IntegerArithmeticTruncatesTowardZeroAndWraps) {
    // -7 * 3 / 2 = -21 / 2 = -10 (not -11).
    expectSpan(axis(-7, 4, 2, 3, LayoutScaled, LayoutScaled), -10, -4);
    // Multiplication before division: 3 * 3 / 2 = 4, where 3 / 2 * 3 would be 3.
    expectSpan(axis(3, 0, 2, 3, LayoutScaled, LayoutScaled), 4, 4);
    // 0x40000000 * 4 wraps to 0 in 32 bits; right = (0x40000000 + 16) * 4 = 64 after the wrap.
    expectSpan(axis(0x40000000, 16, 1, 4, LayoutScaled, LayoutScaled), 0, 64);
    // A huge size: half = 0x3FFFFFFF; (0 + half) * 2 / 1 - half = half; high wraps negative.
    LayoutSpan huge = axis(0, 0x7FFFFFFF, 1, 2, LayoutFree, LayoutFree);
    EXPECT_EQ(huge.low, 0x3FFFFFFF);
    EXPECT_EQ(huge.high, static_cast<int>(0xBFFFFFFEu));
}

TEST(LayoutAxis, ClientSizesBelowOneCountAsOne) {
    // Client 0 now counts as 1: 10 * 1 / 100 = 0, (10 + 20) * 1 / 100 = 0.
    expectSpan(axis(10, 20, 100, 0, LayoutScaled, LayoutScaled), 0, 0);
    // Origin client 0 counts as 1: 10 * 5 / 1 = 50.
    expectSpan(axis(10, 20, 0, 5, LayoutScaled, LayoutFree), 50, 70);
    // Negative client: pinned right uses 1 - 100.
    expectSpan(axis(10, 20, 100, -50, LayoutPinned, LayoutPinned), 10, -69);
}
