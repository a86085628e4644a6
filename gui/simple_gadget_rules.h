// The platform-free arithmetic of the simple gadgets: a progress bar's
// position, what a slider's scroll requests ask for, and how a tool bar's tip
// text is cut into one tip per button.
#pragma once

#include <string_view>
#include <vector>

// progress × 100 in single precision, truncated toward zero and kept within
// the bar's 0..100 (NaN gives 0).
int progressPosition(float progress);

// The scroll requests a slider gets, numbered as the platform numbers them.
enum SliderScroll : int {
    SliderLineUp = 0,
    SliderLineDown = 1,
    SliderPageUp = 2,
    SliderPageDown = 3,
    SliderThumbPosition = 4,
    SliderThumbTrack = 5,
};

// The position a scroll request asks for before the control clamps it: one
// step for the arrows, a page for the trough, the track position for the
// thumb; saturating at the int range. False for a request that moves
// nothing (top, bottom, end of scrolling).
bool sliderScrollTarget(int code, int position, int page, int track, int& target);

// The thumb's position during a drag. A scroll message carries only its low
// 16 bits; the control's own report is used when it agrees with them, so
// ranges beyond 65535 come out whole and a stale report is never taken.
int sliderTrackPosition(int reported, int messageWord);

// A slider's scroll range for SetSliderRange: 0 .. total - 1 (wrapping
// rather than overflowing) with a page of `visible`.
struct SliderRange {
    int min;
    int max;
    unsigned page;
};
SliderRange sliderRange(int visible, int total);

// The tips of a tool bar of `buttons` buttons: for each button in turn the
// text up to the next comma (or the rest), until the text is used up; a
// piece of 256 or more characters ends the list there. An empty text gives
// no tips.
std::vector<std::string_view> toolTipPieces(std::string_view text, int buttons);
