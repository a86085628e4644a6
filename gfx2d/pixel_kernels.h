// The pixel loops behind the fill, read, write and blit slots of KrGraphics.
//
// Each operation comes twice: a reference that converts every pixel through
// toArgb/fromArgb with a switch on the format (the definition of the result),
// and the fast form that picks a loop once per call by the format pair and
// the mask flag (row copies, wide-store fills and colour-keyed copies with
// SSE2, loops specialised per format pair) and gives exactly the reference's
// pixels. Rectangles must lie inside the memory given; nothing is clipped.
#pragma once

#include <cstdint>

// Where a rectangle of pixels lies: the first pixel of its first row, the
// pitch in bytes and the format.
struct PixelArea {
    uint8_t* pixels;
    int pitch;
    int format;
};

void fillPixels(const PixelArea& area, int w, int h, uint32_t argb);
void readPixelArea(const PixelArea& area, int w, int h, uint32_t* dest, int destPitch);
void writePixelArea(const PixelArea& area, int w, int h, const uint32_t* src, int srcPitch);
// With `masked`, source pixels whose colour matches `maskColor` quantised
// through the source format (low 24 bits) are skipped.
void blitPixels(const PixelArea& dst, const PixelArea& src, int w, int h, bool masked, uint32_t maskColor);

namespace reference {
void fillPixels(const PixelArea& area, int w, int h, uint32_t argb);
void readPixelArea(const PixelArea& area, int w, int h, uint32_t* dest, int destPitch);
void writePixelArea(const PixelArea& area, int w, int h, const uint32_t* src, int srcPitch);
void blitPixels(const PixelArea& dst, const PixelArea& src, int w, int h, bool masked, uint32_t maskColor);
} // namespace reference
