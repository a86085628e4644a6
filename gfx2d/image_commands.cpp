// The image commands that make, load, copy, free, configure, save and
// transform images. Image handles are checked like every other handle.
#include <cstring>

#include "gfx2d/bmp_writer.h"
#include "gfx2d/image_file.h"
#include "gfx2d/k2d_buffer.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/k2d_image.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

// A file name as the platform sees it; a name holding a NUL names no file.
const char* fileName(const KrString* name) {
    const char* text = krText(name);
    return int(std::strlen(text)) == krLength(name) ? text : nullptr;
}

// The picture a file holds as opaque ARGB words (what a 32-bit pixmap of
// it reads back), written straight into the frames.
DecodedImage loadNamed(const KrString* name) {
    const char* path = fileName(name);
    return path ? loadArgbImage(path) : DecodedImage();
}

} // namespace

extern "C" {

__attribute__((stdcall)) int LoadImage(KrString* file, int flags) {
    DecodedImage picture = loadNamed(file);
    if (!picture) return 0;
    const int w = picture.width, h = picture.height;
    K2DImage* image = K2DImage::create(w, h, 1, flags, false);
    image->frameGraphics(0)->writePixels(0, 0, w, h, picture.words(), w * 4);
    return toHandle(image);
}

__attribute__((stdcall)) int LoadAnimImage(KrString* file, int width, int height, int first, int count, int flags) {
    DecodedImage picture = loadNamed(file);
    if (!picture) return 0;
    if (width <= 0 || height <= 0 || count <= 0) {
        picture = DecodedImage();
        runtimeError("Illegal Parameter for CreateImage");
    }
    // The request is checked before the image exists, so a refusal leaves
    // nothing behind; a negative first frame or a file without one whole
    // frame is refused too.
    const int perRow = picture.width / width;
    const int64_t total = int64_t(perRow) * (picture.height / height);
    if (first < 0 || total < int64_t(first) + count) return 0;
    K2DImage* image = K2DImage::create(width, height, count, flags, false);
    int sx = width * (first % perRow), sy = height * (first / perRow);
    for (int i = 0; i < count; ++i) {
        const uint32_t* cell = picture.words() + size_t(sy) * picture.width + sx;
        image->frameGraphics(i)->writePixels(0, 0, width, height, cell, picture.width * 4);
        if (picture.width >= int64_t(sx) + 2 * int64_t(width)) {
            sx += width;
        } else {
            sx = 0;
            sy += height;
        }
    }
    return toHandle(image);
}

__attribute__((stdcall)) int CreateImage(int width, int height, int frames, int flags) {
    return toHandle(K2DImage::create(width, height, frames, flags));
}

__attribute__((stdcall)) int CopyImage(int handle) {
    K2DImage* source = imageArg(handle);
    const int w = source->width(), h = source->height();
    K2DImage* copy = K2DImage::create(w, h, source->frameCount(), source->flags(), false);
    copy->handleX = source->handleX;
    copy->handleY = source->handleY;
    for (int i = 0; i < source->frameCount(); ++i)
        copy->frameGraphics(i)->blit(0, 0, w, h, source->frameGraphics(i), 0, 0, 0);
    copy->setMaskColor(source->maskColor());
    return toHandle(copy);
}

__attribute__((stdcall)) void FreeImage(int handle) {
    if (handle) imageArg(handle)->release();
}

__attribute__((stdcall)) void MaskImage(int handle, int red, int green, int blue) {
    // In 32 bits with nothing masked: larger values spill into the next
    // channel up.
    imageArg(handle)->setMaskColor(((uint32_t(red) << 8 | uint32_t(green)) << 8) | uint32_t(blue));
}

__attribute__((stdcall)) void HandleImage(int handle, int x, int y) {
    K2DImage* image = imageArg(handle);
    image->handleX = x;
    image->handleY = y;
}

__attribute__((stdcall)) void MidHandle(int handle) {
    K2DImage* image = imageArg(handle);
    image->handleX = image->width() / 2;
    image->handleY = image->height() / 2;
}

__attribute__((stdcall)) void AutoMidHandle(int enable) { k2dGraphics().autoMidHandle = uint8_t(enable); }

__attribute__((stdcall)) int ImageWidth(int handle) { return imageArg(handle)->width(); }
__attribute__((stdcall)) int ImageHeight(int handle) { return imageArg(handle)->height(); }
__attribute__((stdcall)) int ImageXHandle(int handle) { return imageArg(handle)->handleX; }
__attribute__((stdcall)) int ImageYHandle(int handle) { return imageArg(handle)->handleY; }

__attribute__((stdcall)) int ImageBuffer(int handle, int frame) {
    K2DImage* image = imageArg(handle);
    K2DBuffer* buffer = image->frame(frame);
    // The program may draw into the frame from now on.
    image->discardCollisionMask(frame);
    return toHandle(buffer);
}

__attribute__((stdcall)) int SaveImage(int handle, KrString* file, int frame) {
    KrGraphics* graphics = imageArg(handle)->frameGraphics(frame);
    const char* path = fileName(file);
    return path && saveGraphicsBmp(graphics, path) ? 1 : 0;
}

__attribute__((stdcall)) void TFormFilter(int enable) { k2dGraphics().transformFilter = uint8_t(enable); }

__attribute__((stdcall)) void TFormImage(int handle, float a, float b, float c, float d) {
    imageArg(handle)->transform(TransformMatrix{a, b, c, d}, k2dGraphics().transformFilter != 0);
}

__attribute__((stdcall)) void ScaleImage(int handle, float xscale, float yscale) {
    TFormImage(handle, xscale, 0.0f, 0.0f, yscale);
}

__attribute__((stdcall)) void ResizeImage(int handle, float width, float height) {
    K2DImage* image = imageArg(handle);
    TFormImage(handle, width / float(image->width()), 0.0f, 0.0f, height / float(image->height()));
}

__attribute__((stdcall)) void RotateImage(int handle, float angle) {
    imageArg(handle)->transform(rotationMatrix(angle), k2dGraphics().transformFilter != 0);
}

} // extern "C"

KR_COMMAND(Graphics2D, "%LoadImage$file%flags=1", LoadImage);
KR_COMMAND(Graphics2D, "%LoadAnimImage$file%width%height%first%count%flags=1", LoadAnimImage);
KR_COMMAND(Graphics2D, "%CreateImage%width%height%frames=1%flags=1", CreateImage);
KR_COMMAND(Graphics2D, "%CopyImage%image", CopyImage);
KR_COMMAND(Graphics2D, "FreeImage%image", FreeImage);
KR_COMMAND(Graphics2D, "MaskImage%image%red%green%blue", MaskImage);
KR_COMMAND(Graphics2D, "HandleImage%image%handle_x%handle_y", HandleImage);
KR_COMMAND(Graphics2D, "MidHandle%image", MidHandle);
KR_COMMAND(Graphics2D, "AutoMidHandle%enable", AutoMidHandle);
KR_COMMAND(Graphics2D, "%ImageWidth%image", ImageWidth);
KR_COMMAND(Graphics2D, "%ImageHeight%image", ImageHeight);
KR_COMMAND(Graphics2D, "%ImageXHandle%image", ImageXHandle);
KR_COMMAND(Graphics2D, "%ImageYHandle%image", ImageYHandle);
KR_COMMAND(Graphics2D, "%ImageBuffer%image%frame=0", ImageBuffer);
KR_COMMAND(Graphics2D, "%SaveImage%image$file%frame=0", SaveImage);
KR_COMMAND(Graphics2D, "TFormFilter%enable", TFormFilter);
KR_COMMAND(Graphics2D, "TFormImage%image#a#b#c#d", TFormImage);
KR_COMMAND(Graphics2D, "ScaleImage%image#xscale#yscale", ScaleImage);
KR_COMMAND(Graphics2D, "ResizeImage%image#width#height", ResizeImage);
KR_COMMAND(Graphics2D, "RotateImage%image#angle", RotateImage);
