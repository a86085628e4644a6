// The per-pixel commands. ReadPixel, WritePixel and CopyPixel add the
// buffer's origin, skip positions outside the graphics and lock around the
// access. The fast forms work on a buffer the program has locked and add no
// origin, but every position is checked against the locked graphics, so a
// stray coordinate is a runtime error rather than a write into other memory.
// CopyRect clips against both graphics and ignores origins and viewports.
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_rect.h"
#include "gfx2d/pixel_format.h"
#include "runtime/symbol_registration.h"

namespace {

int plus(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }

bool inside(const K2DBuffer& b, int x, int y) {
    return static_cast<unsigned>(x) < static_cast<unsigned>(b.graphics()->width()) &&
           static_cast<unsigned>(y) < static_cast<unsigned>(b.graphics()->height());
}

// The address of a pixel of a locked buffer, for the fast commands.
inline uint8_t* lockedPixel(int handle, int x, int y, int& format) {
    K2DBuffer* b = handle == 0 ? k2dGraphics().current() : nullptr;
    if (!b) b = bufferArg(handle);
    if (!b->locked()) runtimeError("Buffer is not locked");
    if (!inside(*b, x, y))
        runtimeError("Pixel %i,%i is outside the %ix%i buffer", x, y, b->graphics()->width(), b->graphics()->height());
    format = b->lockedFormat();
    return b->lockedPixels() + y * b->lockedPitch() + x * bytesPerPixel(format);
}

// Keeps a buffer locked for a scope.
class BufferLock {
public:
    explicit BufferLock(K2DBuffer* buffer) : buffer_(buffer) { buffer->lock(); }
    ~BufferLock() { buffer_->unlock(); }
    BufferLock(const BufferLock&) = delete;
    BufferLock& operator=(const BufferLock&) = delete;
    uint8_t* at(int x, int y) const {
        return buffer_->lockedPixels() + y * buffer_->lockedPitch() + x * bytesPerPixel(buffer_->lockedFormat());
    }
    int format() const { return buffer_->lockedFormat(); }

private:
    K2DBuffer* buffer_;
};

} // namespace

extern "C" {

__attribute__((stdcall)) int ReadPixel(int x, int y, int buffer) {
    K2DBuffer* b = bufferArg(buffer);
    x = plus(x, b->originX);
    y = plus(y, b->originY);
    if (!inside(*b, x, y)) return static_cast<int>(b->clsColor);
    BufferLock lock(b);
    return static_cast<int>(readPixelAt(lock.format(), lock.at(x, y)));
}

__attribute__((stdcall)) void WritePixel(int x, int y, int color, int buffer) {
    K2DBuffer* b = bufferArg(buffer);
    x = plus(x, b->originX);
    y = plus(y, b->originY);
    if (!inside(*b, x, y)) return;
    BufferLock lock(b);
    writePixelAt(lock.format(), lock.at(x, y), static_cast<uint32_t>(color));
}

__attribute__((stdcall)) int ReadPixelFast(int x, int y, int buffer) {
    int format;
    const uint8_t* p = lockedPixel(buffer, x, y, format);
    return static_cast<int>(readPixelAt(format, p));
}

__attribute__((stdcall)) void WritePixelFast(int x, int y, int color, int buffer) {
    int format;
    uint8_t* p = lockedPixel(buffer, x, y, format);
    writePixelAt(format, p, static_cast<uint32_t>(color));
}

__attribute__((stdcall)) void CopyPixel(int srcX, int srcY, int srcBuffer, int dstX, int dstY, int dstBuffer) {
    K2DBuffer* from = bufferArg(srcBuffer);
    K2DBuffer* to = bufferArg(dstBuffer);
    srcX = plus(srcX, from->originX);
    srcY = plus(srcY, from->originY);
    dstX = plus(dstX, to->originX);
    dstY = plus(dstY, to->originY);
    if (!inside(*from, srcX, srcY) || !inside(*to, dstX, dstY)) return;
    BufferLock source(from);
    BufferLock dest(to);
    writePixelAt(dest.format(), dest.at(dstX, dstY), readPixelAt(source.format(), source.at(srcX, srcY)));
}

__attribute__((stdcall)) void CopyPixelFast(int srcX, int srcY, int srcBuffer, int dstX, int dstY, int dstBuffer) {
    int srcFormat, dstFormat;
    const uint8_t* s = lockedPixel(srcBuffer, srcX, srcY, srcFormat);
    uint8_t* d = lockedPixel(dstBuffer, dstX, dstY, dstFormat);
    writePixelAt(dstFormat, d, readPixelAt(srcFormat, s));
}

__attribute__((stdcall)) void CopyRect(int srcX, int srcY, int width, int height, int dstX, int dstY, int srcBuffer,
                                       int dstBuffer) {
    K2DBuffer* from = bufferArg(srcBuffer);
    K2DBuffer* to = bufferArg(dstBuffer);
    KrGraphics* source = from->graphics();
    KrGraphics* dest = to->graphics();
    KrRect src = rectOfSize(srcX, srcY, width, height), dst = rectOfSize(dstX, dstY, width, height);
    if (!clipPair(KrRect{0, 0, dest->width(), dest->height()}, dst, src)) return;
    if (!clipPair(KrRect{0, 0, source->width(), source->height()}, src, dst)) return;
    dest->blit(dst.left, dst.top, dst.width(), dst.height(), source, src.left, src.top, 0);
}

} // extern "C"

KR_COMMAND(Graphics2D, "%ReadPixel%x%y%buffer=0", ReadPixel);
KR_COMMAND(Graphics2D, "%ReadPixelFast%x%y%buffer=0", ReadPixelFast);
KR_COMMAND(Graphics2D, "WritePixel%x%y%argb%buffer=0", WritePixel);
KR_COMMAND(Graphics2D, "WritePixelFast%x%y%argb%buffer=0", WritePixelFast);
KR_COMMAND(Graphics2D, "CopyPixel%src_x%src_y%src_buffer%dest_x%dest_y%dest_buffer=0", CopyPixel);
KR_COMMAND(Graphics2D, "CopyPixelFast%src_x%src_y%src_buffer%dest_x%dest_y%dest_buffer=0", CopyPixelFast);
KR_COMMAND(Graphics2D, "CopyRect%src_x%src_y%width%height%dest_x%dest_y%src_buffer=0%dest_buffer=0", CopyRect);
