// The platform-free half of drawing text: where a string's box lands on a
// graphics after clipping, and painting a rasterised glyph mask onto the
// locked graphics in one colour. The platform rasteriser (gfx2d/win32/) fills
// the mask between the two.
#pragma once

#include <cstdint>

#include "gfx2d/kr_rect.h"

class KrGraphics;

// The part of the text box at (x, y) of width x height that lies inside both
// the clip rectangle and the graphics; empty when nothing shows. The
// position is taken in 64 bits so that a far-off text cannot wrap around
// into view.
KrRect clipTextBox(const KrGraphics& target, int64_t x, int64_t y, int width, int height, const KrRect& clip);

// Stores the colour (in the graphics' format) at every pixel of `box` whose
// mask word has a non-zero colour; other pixels keep what they hold. The mask
// holds box.width() x box.height() 32-bit words, rows maskPitch words apart,
// its first word standing for the box's top-left pixel.
void paintGlyphMask(KrGraphics& target, const KrRect& box, const uint32_t* mask, int maskPitch, uint32_t argb);
