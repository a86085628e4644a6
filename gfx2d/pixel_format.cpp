// The platform descriptions of the pixel formats, both ways.
#include "gfx2d/pixel_format.h"

#include "runtime/runtime_error.h"

namespace {

const PixelDescription descriptions[] = {
    {16, 0xF800, 0x07E0, 0x001F, 0},
    {16, 0x7C00, 0x03E0, 0x001F, 0},
    {24, 0xFF0000, 0x00FF00, 0x0000FF, 0},
    {32, 0xFF0000, 0x00FF00, 0x0000FF, 0},
};

} // namespace

PixelDescription describeFormat(int format) {
    if (format < 1 || format > 4) runtimeError("Unrecognized Vorn pixel format: %i", format);
    return descriptions[format - 1];
}

int recognizeFormat(const PixelDescription& d, bool report) {
    for (int code = 1; code <= 4; ++code) {
        const PixelDescription& known = descriptions[code - 1];
        if (d.bitsPerPixel == known.bitsPerPixel && d.redMask == known.redMask &&
            d.greenMask == known.greenMask && d.blueMask == known.blueMask)
            return code;
    }
    if (report)
        runtimeError("Unrecognized DirectDraw pixel format: bpp=%i rmask=%x gmask=%x bmask=%x amask=%x",
                     d.bitsPerPixel, d.redMask, d.greenMask, d.blueMask, d.alphaMask);
    return 0;
}
