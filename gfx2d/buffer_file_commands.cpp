// Loading a picture file into a buffer, resampled to the buffer's size, and
// saving a buffer as a 24-bit BMP file.
#include <algorithm>
#include <cstring>

#include "gfx2d/bmp_writer.h"
#include "gfx2d/image_file.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_pixmap.h"
#include "gfx2d/transform.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

// The file a name gives, or null when it holds a NUL (then it names no file).
const char* filePath(const KrString* file) {
    const char* text = krText(file);
    return static_cast<int>(std::strlen(text)) == krLength(file) ? text : nullptr;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int LoadBuffer(int buffer, KrString* file) {
    KrGraphics* target = bufferArg(buffer)->graphics();
    const char* path = filePath(file);
    KrGraphics* picture = path ? loadPixmap(path) : nullptr;
    if (!picture) return 0;
    if (picture->width() != target->width() || picture->height() != target->height()) {
        TransformMatrix m = {static_cast<float>(target->width()) / static_cast<float>(picture->width()), 0, 0,
                             static_cast<float>(target->height()) / static_cast<float>(picture->height())};
        KrGraphics* resampled = transformGraphics(picture, m, true, 0);
        picture->release();
        picture = resampled;
    }
    // Single-precision scaling can come out a pixel larger than the buffer:
    // only the part that fits is copied.
    int w = std::min(picture->width(), target->width());
    int h = std::min(picture->height(), target->height());
    target->blit(0, 0, w, h, picture, 0, 0, 0);
    picture->release();
    return 1;
}

__attribute__((stdcall)) int SaveBuffer(int buffer, KrString* file) {
    KrGraphics* graphics = bufferArg(buffer)->graphics();
    const char* path = filePath(file);
    return path && saveGraphicsBmp(graphics, path) ? 1 : 0;
}

} // extern "C"

KR_COMMAND(Graphics2D, "%LoadBuffer%buffer$file", LoadBuffer);
KR_COMMAND(Graphics2D, "%SaveBuffer%buffer$file", SaveBuffer);
