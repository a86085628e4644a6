// KrPixmap: pixels in ordinary memory.
#include "gfx2d/kr_pixmap.h"

#include <climits>
#include <cstdlib>

int KrPixmap::pitchFor(int width, int height, int format, int alignment) {
    if (width < 0 || height < 0 || alignment <= 0) return -1;
    long long row = static_cast<long long>(width) * bytesPerPixel(format);
    long long pitch = (row + alignment - 1) / alignment * alignment;
    if (pitch > INT_MAX || pitch * height > INT_MAX) return -1;
    return static_cast<int>(pitch);
}

KrPixmap::KrPixmap(int width, int height, int format, int alignment, int pitch, uint8_t* pixels)
    : KrGraphics(width, height), pixels_(pixels), pitch_(pitch), format_(format), alignment_(alignment) {}

KrPixmap* KrPixmap::tryCreate(int width, int height, int format, int alignment) {
    int pitch = pitchFor(width, height, format, alignment);
    if (pitch < 0) return nullptr;
    // Zeroed, so nothing of the heap's old contents can show; one spare byte
    // keeps an empty pixmap's pointer valid. calloc, not new: a failure here
    // must come back as null rather than through the run's memory handler.
    auto* pixels = static_cast<uint8_t*>(std::calloc(static_cast<size_t>(pitch) * height + 1, 1));
    if (!pixels) return nullptr;
    return new KrPixmap(width, height, format, alignment, pitch, pixels);
}

KrPixmap* KrPixmap::create(int width, int height, int format, int alignment) {
    KrPixmap* pixmap = tryCreate(width, height, format, alignment);
    if (!pixmap) runtimeError("Out of memory");
    return pixmap;
}

KrPixmap::~KrPixmap() { std::free(pixels_); }

KrGraphics* KrPixmap::createCompatible(int width, int height) { return create(width, height, format_, alignment_); }

void KrPixmap::lock(uint8_t** pixels, int* pitch, int* format) {
    *pixels = pixels_;
    *pitch = pitch_;
    *format = format_;
}

void KrPixmap::unlock() {}
