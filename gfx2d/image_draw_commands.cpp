// Drawing images into the current buffer (whole, tiled, partial; masked or as
// a block) and grabbing the current buffer into an image frame. Positions
// have the buffer's origin added and the image's handle taken off.
#include <algorithm>

#include "gfx2d/k2d_buffer.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/k2d_image.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "gfx2d/kr_rect.h"
#include "runtime/symbol_registration.h"

namespace {

// Positions this far out draw nothing on any graphics, and keep every
// sum below inside the int range.
constexpr int64_t kFarOut = int64_t(1) << 30;

int clampPosition(int64_t v) { return int(std::clamp(v, -kFarOut, kFarOut)); }

// Where the image's top-left pixel lands: position + origin − handle.
void placement(const K2DBuffer& buffer, const K2DImage& image, int x, int y, int& x0, int& y0) {
    x0 = clampPosition(int64_t(x) + buffer.originX - image.handleX);
    y0 = clampPosition(int64_t(y) + buffer.originY - image.handleY);
}

// The current viewport, cut to the current graphics: the tiling loop and
// grabbing must stay inside the pixels that exist.
KrRect visibleViewport(const K2DBuffer& buffer) {
    KrRect v = driver2D().viewport();
    KrGraphics* g = buffer.graphics();
    if (!intersect(KrRect{0, 0, g->width(), g->height()}, v)) return KrRect{};
    return v;
}

void drawImage(int handle, int x, int y, int frame, bool masked) {
    K2DImage* image = imageArg(handle);
    KrGraphics* source = image->frameGraphics(frame);
    K2DBuffer& buffer = drawingBuffer();
    int x0, y0;
    placement(buffer, *image, x, y, x0, y0);
    driver2D().blitImage(x0, y0, image->width(), image->height(), source, 0, 0, masked);
}

// The non-negative remainder of a by b (b > 0).
int64_t floorMod(int64_t a, int64_t b) {
    int64_t r = a % b;
    return r < 0 ? r + b : r;
}

void tileImage(int handle, int x, int y, int frame, bool masked, const char* clipError) {
    K2DImage* image = imageArg(handle);
    KrGraphics* source = image->frameGraphics(frame);
    K2DBuffer& buffer = drawingBuffer();
    const KrRect v = visibleViewport(buffer);
    if (v.empty()) return;
    const int w = image->width(), h = image->height();
    int x0, y0;
    placement(buffer, *image, x, y, x0, y0);
    // The first tile column and row that cover the viewport's left and top.
    const int64_t startX = v.left - floorMod(int64_t(v.left) - x0, w);
    const int64_t startY = v.top - floorMod(int64_t(v.top) - y0, h);
    KrGrDriver2D& driver = driver2D();
    for (int64_t tileY = startY; tileY < v.bottom; tileY += h) {
        for (int64_t tileX = startX; tileX < v.right; tileX += w) {
            KrRect dst = rectOfSize(int(tileX), int(tileY), w, h);
            KrRect src{0, 0, w, h};
            if (!clipPair(v, dst, src)) runtimeError("%s", clipError);
            driver.blitImage(dst.left, dst.top, dst.width(), dst.height(), source, src.left, src.top, masked);
        }
    }
}

void drawImageRect(int handle, int x, int y, int rectX, int rectY, int rectWidth, int rectHeight, int frame,
                   bool masked) {
    K2DImage* image = imageArg(handle);
    KrGraphics* source = image->frameGraphics(frame);
    K2DBuffer& buffer = drawingBuffer();
    int x0, y0;
    placement(buffer, *image, x, y, x0, y0);
    // The source is kept inside the frame; the destination moves with it.
    KrRect dst = rectOfSize(x0, y0, rectWidth, rectHeight);
    KrRect src = rectOfSize(rectX, rectY, rectWidth, rectHeight);
    if (!clipPair(KrRect{0, 0, image->width(), image->height()}, src, dst)) return;
    driver2D().blitImage(dst.left, dst.top, dst.width(), dst.height(), source, src.left, src.top, masked);
}

} // namespace

extern "C" {

__attribute__((stdcall)) void DrawImage(int image, int x, int y, int frame) { drawImage(image, x, y, frame, true); }

__attribute__((stdcall)) void DrawBlock(int image, int x, int y, int frame) { drawImage(image, x, y, frame, false); }

__attribute__((stdcall)) void TileImage(int image, int x, int y, int frame) {
    tileImage(image, x, y, frame, true, "TileImage clip error");
}

__attribute__((stdcall)) void TileBlock(int image, int x, int y, int frame) {
    tileImage(image, x, y, frame, false, "TileBlock clip error");
}

__attribute__((stdcall)) void DrawImageRect(int image, int x, int y, int rectX, int rectY, int rectWidth,
                                            int rectHeight, int frame) {
    drawImageRect(image, x, y, rectX, rectY, rectWidth, rectHeight, frame, true);
}

__attribute__((stdcall)) void DrawBlockRect(int image, int x, int y, int rectX, int rectY, int rectWidth,
                                            int rectHeight, int frame) {
    drawImageRect(image, x, y, rectX, rectY, rectWidth, rectHeight, frame, false);
}

__attribute__((stdcall)) void GrabImage(int handle, int x, int y, int frame) {
    K2DImage* image = imageArg(handle);
    KrGraphics* target = image->frameGraphics(frame);
    K2DBuffer& buffer = drawingBuffer();
    int x0, y0;
    placement(buffer, *image, x, y, x0, y0);
    KrRect src = rectOfSize(x0, y0, image->width(), image->height());
    KrRect dst{0, 0, image->width(), image->height()};
    // The frame's collision mask is kept.
    if (!clipPair(visibleViewport(buffer), src, dst)) return;
    target->blit(dst.left, dst.top, dst.width(), dst.height(), buffer.graphics(), src.left, src.top, 0);
}

} // extern "C"

KR_COMMAND(Graphics2D, "DrawImage%image%x%y%frame=0", DrawImage);
KR_COMMAND(Graphics2D, "DrawBlock%image%x%y%frame=0", DrawBlock);
KR_COMMAND(Graphics2D, "TileImage%image%x=0%y=0%frame=0", TileImage);
KR_COMMAND(Graphics2D, "TileBlock%image%x=0%y=0%frame=0", TileBlock);
KR_COMMAND(Graphics2D, "DrawImageRect%image%x%y%rect_x%rect_y%rect_width%rect_height%frame=0", DrawImageRect);
KR_COMMAND(Graphics2D, "DrawBlockRect%image%x%y%rect_x%rect_y%rect_width%rect_height%frame=0", DrawBlockRect);
KR_COMMAND(Graphics2D, "GrabImage%image%x%y%frame=0", GrabImage);
