#include "support/draw_canvas.h"

#include "gfx2d/k2d_graphics_driver.h"

DrawCanvas::DrawCanvas(int width, int height, int format) {
    pixmap = KrPixmap::create(width, height, format, 4);
    buffer = new K2DBuffer(pixmap);
    pixmap->release(); // the buffer's context holds it from here on
    k2dGraphics().setCurrent(buffer);
}

DrawCanvas::~DrawCanvas() {
    // A run that ended in an error has already stopped the modules that
    // owned the buffer's context; the buffer itself is still ours.
    buffer->release();
}

int DrawCanvas::handle() const { return toHandle(buffer); }

uint32_t DrawCanvas::raw(int x, int y) const {
    return loadRaw(pixmap->format(), pixmap->pixels() + y * pixmap->pitch() + x * bytesPerPixel(pixmap->format()));
}

std::string DrawCanvas::grid() const {
    std::string out;
    for (int y = 0; y < pixmap->height(); ++y) {
        for (int x = 0; x < pixmap->width(); ++x) out += raw(x, y) ? '#' : '.';
        out += '|';
    }
    return out;
}
