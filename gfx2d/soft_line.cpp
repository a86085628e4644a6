// SoftGrDriver2D::line: integer Cohen-Sutherland clipping against the clip
// window, then Bresenham straight into the locked pixels, both end points
// drawn and the colour converted once.
#include "gfx2d/pixel_format.h"
#include "gfx2d/soft_gr_driver_2d.h"

namespace {

struct Window {
    long long xmin, ymin, xmax, ymax; // inclusive
};

int outcode(const Window& w, long long x, long long y) {
    int code = y > w.ymax ? 1 : y < w.ymin ? 2 : 0;
    if (x > w.xmax) code |= 4;
    else if (x < w.xmin) code |= 8;
    return code;
}

// Moves (x, y) of a point with that outcode onto the window, along the line
// of slope dx/dy measured from (fromX, fromY). Products come before the
// division, which truncates toward zero.
void moveOnto(const Window& w, int code, long long fromX, long long fromY, long long dx, long long dy,
              long long& x, long long& y) {
    if (code & 1) {
        x = fromX + (w.ymax - fromY) * dx / dy;
        y = w.ymax;
    } else if (code & 2) {
        x = fromX + (w.ymin - fromY) * dx / dy;
        y = w.ymin;
    } else if (code & 4) {
        y = fromY + (w.xmax - fromX) * dy / dx;
        x = w.xmax;
    } else {
        y = fromY + (w.xmin - fromX) * dy / dx;
        x = w.xmin;
    }
}

// Clips the segment to the window; false when nothing of it is inside.
bool clipLine(const Window& w, long long& x1, long long& y1, long long& x2, long long& y2) {
    // Each step puts one end on a window edge; a handful always settle it,
    // the bound only keeps a rounding pathology from looping.
    for (int step = 0; step < 64; ++step) {
        int c1 = outcode(w, x1, y1), c2 = outcode(w, x2, y2);
        if (c1 == 0 && c2 == 0) return true;
        if (c1 & c2) return false;
        long long dx = x2 - x1, dy = y2 - y1;
        if (c1) moveOnto(w, c1, x1, y1, dx, dy, x1, y1);
        else moveOnto(w, c2, x1, y1, dx, dy, x2, y2);
    }
    return false;
}

template <int Bytes>
void store(uint8_t* p, uint32_t raw) {
    if constexpr (Bytes == 2) *reinterpret_cast<uint16_t*>(p) = static_cast<uint16_t>(raw);
    else if constexpr (Bytes == 4) *reinterpret_cast<uint32_t*>(p) = raw;
    else {
        p[0] = raw & 0xFF;
        p[1] = raw >> 8 & 0xFF;
        p[2] = raw >> 16 & 0xFF;
    }
}

// Bresenham from (x, y) over |dx|, |dy| with steps sx, sy (in bytes: the
// pixel size and the pitch).
template <int Bytes>
void bresenham(uint8_t* p, int dx, int dy, int stepX, int stepY, uint32_t raw) {
    if (dy < dx) {
        int err = -dx;
        for (int i = 0; i <= dx; ++i) {
            store<Bytes>(p, raw);
            err += 2 * dy;
            if (err >= 0) {
                p += stepY;
                err -= 2 * dx;
            }
            p += stepX;
        }
    } else {
        int err = -dy;
        for (int i = 0; i <= dy; ++i) {
            store<Bytes>(p, raw);
            p += stepY;
            err += 2 * dx;
            if (err >= 0) {
                err -= 2 * dy;
                p += stepX;
            }
        }
    }
}

} // namespace

void SoftGrDriver2D::line(int x1, int y1, int x2, int y2) {
    SoftGrContext& ctx = context();
    if (clip().empty()) return;
    Window w{clip().left, clip().top, clip().right - 1LL, clip().bottom - 1LL};
    long long ax = x1, ay = y1, bx = x2, by = y2;
    if (!clipLine(w, ax, ay, bx, by)) return;
    if (ax == bx && ay == by) {
        plot(static_cast<int>(ax), static_cast<int>(ay));
        return;
    }
    int dx = static_cast<int>(bx - ax), dy = static_cast<int>(by - ay);
    GraphicsLock lock(ctx.graphics());
    if (!hasLayout(lock.format)) return;
    const int bpp = bytesPerPixel(lock.format);
    const int stepX = dx >= 0 ? bpp : -bpp, stepY = dy >= 0 ? lock.pitch : -lock.pitch;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    uint8_t* p = lock.at(static_cast<int>(ax), static_cast<int>(ay));
    const uint32_t raw = fromArgb(lock.format, ctx.color);
    switch (bpp) {
    case 2: bresenham<2>(p, dx, dy, stepX, stepY, raw); break;
    case 3: bresenham<3>(p, dx, dy, stepX, stepY, raw); break;
    default: bresenham<4>(p, dx, dy, stepX, stepY, raw); break;
    }
}
