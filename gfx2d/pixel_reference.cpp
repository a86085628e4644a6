// The reference pixel loops: every pixel converted through toArgb/fromArgb
// with a switch on the format. They define what the fast loops must give and
// serve the formats that have no fast loop.
#include "gfx2d/pixel_format.h"
#include "gfx2d/pixel_kernels.h"

namespace reference {

void fillPixels(const PixelArea& area, int w, int h, uint32_t argb) {
    if (!hasLayout(area.format)) return;
    const uint32_t raw = fromArgb(area.format, argb);
    const int bpp = bytesPerPixel(area.format);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = area.pixels + y * area.pitch;
        for (int x = 0; x < w; ++x) storeRaw(area.format, p + x * bpp, raw);
    }
}

void readPixelArea(const PixelArea& area, int w, int h, uint32_t* dest, int destPitch) {
    const int bpp = bytesPerPixel(area.format);
    for (int y = 0; y < h; ++y) {
        const uint8_t* p = area.pixels + y * area.pitch;
        auto* out = reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dest) + y * destPitch);
        for (int x = 0; x < w; ++x) out[x] = readPixelAt(area.format, p + x * bpp);
    }
}

void writePixelArea(const PixelArea& area, int w, int h, const uint32_t* src, int srcPitch) {
    const int bpp = bytesPerPixel(area.format);
    for (int y = 0; y < h; ++y) {
        uint8_t* p = area.pixels + y * area.pitch;
        auto* in = reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(src) + y * srcPitch);
        for (int x = 0; x < w; ++x) writePixelAt(area.format, p + x * bpp, in[x]);
    }
}

void blitPixels(const PixelArea& dst, const PixelArea& src, int w, int h, bool masked, uint32_t maskColor) {
    const uint32_t key = quantize(src.format, maskColor) & 0xFFFFFF;
    const int sbpp = bytesPerPixel(src.format);
    const int dbpp = bytesPerPixel(dst.format);
    for (int y = 0; y < h; ++y) {
        const uint8_t* s = src.pixels + y * src.pitch;
        uint8_t* d = dst.pixels + y * dst.pitch;
        for (int x = 0; x < w; ++x) {
            uint32_t argb = readPixelAt(src.format, s + x * sbpp);
            if (masked && (argb & 0xFFFFFF) == key) continue;
            writePixelAt(dst.format, d + x * dbpp, argb);
        }
    }
}

} // namespace reference
