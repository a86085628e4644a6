// Placing a movie frame, scaled, into a rectangle of a graphics.
//
// The destination rectangle (x, y, w, h) is clipped to the graphics; the
// part of the frame that lands on what is left is found by mapping the
// clipped edges back, rounding outward, so an unclipped draw takes the whole
// frame. The software copy is the nearest-pixel path for destinations the
// platform's blitter refuses (another pixel format, for one).
#pragma once

class KrGraphics;

struct FrameStretch {
    int dstLeft, dstTop, dstRight, dstBottom; // right and bottom exclusive
    int srcLeft, srcTop, srcRight, srcBottom;
};

// False when nothing of the rectangle lies on the target (or it is empty,
// or the frame is).
bool planFrameStretch(int targetWidth, int targetHeight, int frameWidth, int frameHeight, int x, int y, int w,
                      int h, FrameStretch& plan);

// Copies the frame into the plan's destination, each destination pixel
// taking the frame pixel under its position in (x, y, w, h).
void stretchFrame(KrGraphics& target, KrGraphics& frame, int x, int y, int w, int h, const FrameStretch& plan);
