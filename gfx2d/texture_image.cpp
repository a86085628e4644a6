// Texture sizes, masked texture images, row flips and scissor boxes.
#include "gfx2d/texture_image.h"

#include <cstdint>
#include <cstring>
#include <vector>

int textureSize(int n) {
    if (n > (1 << 30)) return 0;
    int size = 1;
    while (size < n) size <<= 1;
    return size;
}

void maskedTextureImage(const uint32_t* argb, int width, int height, int pitch, uint32_t maskColor,
                        uint32_t* texels, int texWidth, int texHeight) {
    const uint32_t key = maskColor & 0xFFFFFF;
    for (int y = 0; y < texHeight; ++y) {
        uint32_t* out = texels + static_cast<size_t>(y) * texWidth;
        int x = 0;
        if (y < height) {
            const uint32_t* in = argb + static_cast<size_t>(y) * pitch;
            for (; x < width; ++x) {
                uint32_t rgb = in[x] & 0xFFFFFF;
                out[x] = rgb == key ? key : rgb | 0xFF000000u;
            }
        }
        for (; x < texWidth; ++x) out[x] = key;
    }
}

void flipRows(uint8_t* pixels, int pitch, int height) {
    if (pitch <= 0) return;
    std::vector<uint8_t> row(static_cast<size_t>(pitch));
    for (int top = 0, bottom = height - 1; top < bottom; ++top, --bottom) {
        uint8_t* a = pixels + static_cast<size_t>(top) * pitch;
        uint8_t* b = pixels + static_cast<size_t>(bottom) * pitch;
        std::memcpy(row.data(), a, pitch);
        std::memcpy(a, b, pitch);
        std::memcpy(b, row.data(), pitch);
    }
}

bool scissorBox(const KrRect& viewport, int graphicsWidth, int graphicsHeight, int frameWidth, int frameHeight,
                FrameBox& box) {
    KrRect whole{0, 0, graphicsWidth, graphicsHeight};
    KrRect cut = viewport;
    if (!intersect(whole, cut)) {
        box = FrameBox{};
        return true;
    }
    if (cut.left == 0 && cut.top == 0 && cut.right == graphicsWidth && cut.bottom == graphicsHeight) return false;
    // Scaled in 64 bits: a frame buffer follows a resized window while the
    // graphics keeps its size.
    auto scale = [](int v, int to, int from) { return static_cast<int>(int64_t(v) * to / from); };
    int left = scale(cut.left, frameWidth, graphicsWidth), right = scale(cut.right, frameWidth, graphicsWidth);
    int top = scale(cut.top, frameHeight, graphicsHeight), bottom = scale(cut.bottom, frameHeight, graphicsHeight);
    box = FrameBox{left, frameHeight - bottom, right - left, bottom - top};
    return true;
}
