#include "gfx2d/bmp_writer.h"

#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include "gfx2d/kr_pixmap.h"

namespace {

void put16(uint8_t* at, uint32_t v) {
    at[0] = uint8_t(v);
    at[1] = uint8_t(v >> 8);
}

void put32(uint8_t* at, uint32_t v) {
    put16(at, v);
    put16(at + 2, v >> 16);
}

} // namespace

bool writeBmp24(const char* path, int width, int height, const uint8_t* rows, int pitch) {
    const uint32_t rowBytes = uint32_t(width) * 3;
    const uint32_t padded = (rowBytes + 3) & ~3u;
    uint8_t header[54] = {};
    put16(header, 0x4D42);
    put32(header + 2, 54 + uint32_t(height) * padded);
    put32(header + 10, 54);
    put32(header + 14, 40);
    put32(header + 18, uint32_t(width));
    put32(header + 22, uint32_t(height));
    put16(header + 26, 1);
    put16(header + 28, 24);
    FILE* file = std::fopen(path, "wb");
    if (!file) return false;
    bool ok = std::fwrite(header, 1, sizeof header, file) == sizeof header;
    std::vector<uint8_t> line(padded, 0);
    for (int y = height - 1; ok && y >= 0; --y) {
        std::memcpy(line.data(), rows + ptrdiff_t(y) * pitch, rowBytes);
        ok = std::fwrite(line.data(), 1, padded, file) == padded;
    }
    if (std::fclose(file) != 0) ok = false;
    return ok;
}

bool saveGraphicsBmp(KrGraphics* graphics, const char* path) {
    const int w = graphics->width(), h = graphics->height();
    KrPixmap* copy = KrPixmap::create(w, h, kFormatRgb888, 4);
    copy->blit(0, 0, w, h, graphics, 0, 0, 0);
    bool ok = writeBmp24(path, w, h, copy->pixels(), copy->pitch());
    copy->release();
    return ok;
}
