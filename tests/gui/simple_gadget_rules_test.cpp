// The platform-free arithmetic of the simple gadgets, with expected values
// worked out from the rules: progress in single precision, the positions
// scroll requests ask for, the thumb's track position, and tip pieces.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <string>

#include "gui/simple_gadget_rules.h"

TEST(ProgressPosition, HundredTimesTheValueTruncatedInSinglePrecision) {
    EXPECT_EQ(progressPosition(0.5f), 50);
    EXPECT_EQ(progressPosition(0.999f), 99);
    EXPECT_EQ(progressPosition(0.0f), 0);
    EXPECT_EQ(progressPosition(1.0f), 100);
    // 0.01f is 0.00999999977...; times 100 rounds to exactly 1.0f in single
    // precision (in double it would truncate to 0).
    EXPECT_EQ(progressPosition(0.01f), 1);
    // Outside the bar's range, and values that have no integer at all.
    EXPECT_EQ(progressPosition(2.5f), 100);
    EXPECT_EQ(progressPosition(-0.3f), 0);
    EXPECT_EQ(progressPosition(1e30f), 100);
    EXPECT_EQ(progressPosition(-1e30f), 0);
    EXPECT_EQ(progressPosition(INFINITY), 100);
    EXPECT_EQ(progressPosition(NAN), 0);
}

TEST(SliderScroll, EachRequestAsksForItsPosition) {
    int target = -1;
    ASSERT_TRUE(sliderScrollTarget(SliderLineUp, 40, 10, 7, target));
    EXPECT_EQ(target, 39);
    ASSERT_TRUE(sliderScrollTarget(SliderLineDown, 40, 10, 7, target));
    EXPECT_EQ(target, 41);
    ASSERT_TRUE(sliderScrollTarget(SliderPageUp, 40, 10, 7, target));
    EXPECT_EQ(target, 30);
    ASSERT_TRUE(sliderScrollTarget(SliderPageDown, 40, 10, 7, target));
    EXPECT_EQ(target, 50);
    ASSERT_TRUE(sliderScrollTarget(SliderThumbTrack, 40, 10, 7, target));
    EXPECT_EQ(target, 7);
    ASSERT_TRUE(sliderScrollTarget(SliderThumbPosition, 40, 10, 77, target));
    EXPECT_EQ(target, 77);
    // Top, bottom and end of scrolling move nothing.
    target = -1;
    EXPECT_FALSE(sliderScrollTarget(6, 40, 10, 7, target));
    EXPECT_FALSE(sliderScrollTarget(7, 40, 10, 7, target));
    EXPECT_FALSE(sliderScrollTarget(8, 40, 10, 7, target));
    EXPECT_FALSE(sliderScrollTarget(-1, 40, 10, 7, target));
    EXPECT_EQ(target, -1) << "an ignored request leaves the target alone";
}

TEST(SliderScroll, StepsSaturateInsteadOfWrapping) {
    int target = 0;
    sliderScrollTarget(SliderLineDown, INT_MAX, 10, 0, target);
    EXPECT_EQ(target, INT_MAX);
    sliderScrollTarget(SliderLineUp, INT_MIN, 10, 0, target);
    EXPECT_EQ(target, INT_MIN);
    sliderScrollTarget(SliderPageDown, INT_MAX - 5, INT_MAX, 0, target);
    EXPECT_EQ(target, INT_MAX);
    sliderScrollTarget(SliderPageUp, -5, INT_MAX, 0, target);
    EXPECT_EQ(target, INT_MIN);
    sliderScrollTarget(SliderPageUp, INT_MIN + 3, INT_MAX, 0, target);
    EXPECT_EQ(target, INT_MIN);
}

TEST(SliderScroll, TrackPositionBeyondSixteenBitsComesOutWhole) {
    EXPECT_EQ(sliderTrackPosition(70000, 70000 & 0xFFFF), 70000);
    EXPECT_EQ(sliderTrackPosition(0x12345, 0x2345), 0x12345);
    EXPECT_EQ(sliderTrackPosition(12, 12), 12);
    // A report that disagrees with the message (not tracking any more) is
    // not taken.
    EXPECT_EQ(sliderTrackPosition(5, 9), 9);
    EXPECT_EQ(sliderTrackPosition(0x10009, 0x0008), 8);
}

TEST(SliderRange, ZeroToTotalMinusOneWithThePageVisible) {
    SliderRange r = sliderRange(10, 100);
    EXPECT_EQ(r.min, 0);
    EXPECT_EQ(r.max, 99);
    EXPECT_EQ(r.page, 10u);
    r = sliderRange(0, 0);
    EXPECT_EQ(r.max, -1);
    r = sliderRange(5, INT_MIN);
    EXPECT_EQ(r.max, INT_MAX) << "wraps rather than overflowing";
}

namespace {

std::string joined(std::string_view text, int buttons) {
    std::string out;
    for (std::string_view piece : toolTipPieces(text, buttons)) out += "[" + std::string(piece) + "]";
    return out;
}

} // namespace

TEST(ToolTipPieces, OnePieceEachUntilTheButtonsOrTheTextRunOut) {
    EXPECT_EQ(joined("Open,Save", 3), "[Open][Save]") << "two pieces, three buttons: the third gets none";
    EXPECT_EQ(joined("a,b,c,d", 2), "[a][b]");
    EXPECT_EQ(joined("one", 4), "[one]");
    EXPECT_EQ(joined("", 3), "");
    EXPECT_EQ(joined("a,b", 0), "");
    EXPECT_EQ(joined(",x", 3), "[][x]") << "an empty piece still names its button";
    EXPECT_EQ(joined("a,,b", 3), "[a][][b]");
    EXPECT_EQ(joined("a,", 3), "[a]") << "the text is used up after the comma";
}

TEST(ToolTipPieces, APieceOf256CharactersEndsTheList) {
    std::string longest(255, 'x'), tooLong(256, 'y');
    EXPECT_EQ(toolTipPieces("ok," + longest + ",z", 5).size(), 3u);
    std::string text = "ok," + tooLong + ",z";
    auto pieces = toolTipPieces(text, 5);
    ASSERT_EQ(pieces.size(), 1u);
    EXPECT_EQ(pieces[0], "ok");
    EXPECT_TRUE(toolTipPieces(tooLong, 1).empty());
}
