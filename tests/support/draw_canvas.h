// A drawing buffer over a pixmap for 2D tests, read back as a grid of
// characters: '#' for a pixel that is not 0, '.' for 0, rows ended by '|'.
#pragma once

#include <string>

#include "gfx2d/k2d_buffer.h"
#include "gfx2d/kr_pixmap.h"

struct DrawCanvas {
    KrPixmap* pixmap;
    K2DBuffer* buffer;

    // A zeroed pixmap of the format under a new buffer, made current.
    DrawCanvas(int width, int height, int format = 4);
    ~DrawCanvas();

    int handle() const;
    uint32_t raw(int x, int y) const;
    std::string grid() const;
};
