// The slots of KrGraphics that work on any kind through lock and unlock.
#include "gfx2d/kr_graphics.h"

#include "gfx2d/kr_pixmap.h"
#include "gfx2d/pixel_kernels.h"

namespace {

PixelArea areaAt(const GraphicsLock& lock, int x, int y) { return PixelArea{lock.at(x, y), lock.pitch, lock.format}; }

} // namespace

KrGraphics* KrGraphics::createCompatible(int width, int height) { return KrPixmap::create(width, height, 4, 4); }

void KrGraphics::setMaskColor(uint32_t color) { maskColor_ = color; }

void KrGraphics::fillRect(int x, int y, int w, int h, uint32_t argb) {
    GraphicsLock lock(this);
    fillPixels(areaAt(lock, x, y), w, h, argb);
}

void KrGraphics::readPixels(int x, int y, int w, int h, void* dest, int destPitch) {
    GraphicsLock lock(this);
    readPixelArea(areaAt(lock, x, y), w, h, static_cast<uint32_t*>(dest), destPitch);
}

void KrGraphics::writePixels(int x, int y, int w, int h, const void* src, int srcPitch) {
    GraphicsLock lock(this);
    writePixelArea(areaAt(lock, x, y), w, h, static_cast<const uint32_t*>(src), srcPitch);
}

void KrGraphics::blit(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, int flags) {
    // The source is locked first and unlocked last.
    GraphicsLock from(source);
    GraphicsLock to(this);
    blitPixels(areaAt(to, x, y), areaAt(from, sx, sy), w, h, (flags & kBlitMasked) != 0, source->maskColor());
}
