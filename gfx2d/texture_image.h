// The platform-free half of drawing through a texture-and-frame-buffer
// device (the OpenGL back end): texture sizes, the masked texture image,
// row order between top-down pixmaps and bottom-up frame buffers, and where
// a viewport's scissor box lands on the frame buffer.
#pragma once

#include <cstdint>

#include "gfx2d/kr_rect.h"

// The smallest power of two that is at least n; 1 for n below 2. Sizes
// beyond 2^30 have no such int and give 0.
int textureSize(int n);

// Fills a texWidth x texHeight texture image (32-bit ARGB words, top-down
// rows, packed) from a width x height ARGB picture (rows `pitch` words
// apart): pixels whose low 24 bits equal the mask colour's become the mask
// colour with alpha 0, every other pixel keeps its colour with alpha 0xFF,
// and the padding right of and below the picture is the mask colour with
// alpha 0. The texture must be at least the picture's size.
void maskedTextureImage(const uint32_t* argb, int width, int height, int pitch, uint32_t maskColor,
                        uint32_t* texels, int texWidth, int texHeight);

// Reverses the order of `height` rows of `pitch` bytes in place.
void flipRows(uint8_t* pixels, int pitch, int height);

// A rectangle of the frame buffer in its own bottom-up pixel coordinates.
struct FrameBox {
    int x = 0, y = 0, width = 0, height = 0;
};

// The scissor box of a viewport on a graphics of graphicsWidth x
// graphicsHeight (top-down) shown scaled onto a frame buffer of frameWidth x
// frameHeight (bottom-up). The viewport is cut to the graphics first. False
// when the cut viewport is the whole graphics, so no scissor is needed; an
// empty viewport gives an empty box.
bool scissorBox(const KrRect& viewport, int graphicsWidth, int graphicsHeight, int frameWidth, int frameHeight,
                FrameBox& box);

