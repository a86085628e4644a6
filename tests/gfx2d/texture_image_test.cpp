// The platform-free pixel transfers of the OpenGL back end: power-of-two
// texture sizes, the masked texture image with its padding, row flips
// between top-down and bottom-up order, and the bottom-up scissor box of a
// viewport (also on a frame buffer that a resized window has scaled).
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx2d/texture_image.h"

TEST(TextureImage, SizesRoundUpToPowersOfTwo) {
    const int cases[][2] = {{-5, 1}, {0, 1}, {1, 1}, {2, 2}, {3, 4}, {64, 64}, {65, 128}, {480, 512}, {640, 1024},
                            {1 << 30, 1 << 30}, {(1 << 30) + 1, 0}};
    for (const auto& c : cases) EXPECT_EQ(textureSize(c[0]), c[1]) << "size " << c[0];
}

// A 3 x 2 picture in rows of 4 words: the mask colour matches on its low 24
// bits whatever the alpha byte; a colour one step away stays opaque; the
// padding to 4 x 4 is the mask colour with alpha 0; the word past each row
// is never read.
TEST(TextureImage, MaskColourBecomesTransparentAndPaddingIsMask) {
    const uint32_t picture[] = {
        0xFFFF00FF, 0x00123456, 0xFFFF00FE, 0xDEADBEEF,
        0x00FF00FF, 0x80000000, 0xFFFFFFFF, 0xDEADBEEF,
    };
    std::vector<uint32_t> tex(16, 0x12345678);
    maskedTextureImage(picture, 3, 2, 4, 0x55FF00FF, tex.data(), 4, 4);
    const uint32_t expected[] = {
        0x00FF00FF, 0xFF123456, 0xFFFF00FE, 0x00FF00FF,
        0x00FF00FF, 0xFF000000, 0xFFFFFFFF, 0x00FF00FF,
        0x00FF00FF, 0x00FF00FF, 0x00FF00FF, 0x00FF00FF,
        0x00FF00FF, 0x00FF00FF, 0x00FF00FF, 0x00FF00FF,
    };
    for (int i = 0; i < 16; ++i) EXPECT_EQ(tex[i], expected[i]) << "texel " << i % 4 << "," << i / 4;
}

TEST(TextureImage, RowsFlipInPlaceForOddAndEvenHeights) {
    for (int height : {1, 2, 3, 4}) {
        std::vector<uint8_t> rows;
        for (int r = 0; r < height; ++r)
            for (int b = 0; b < 8; ++b) rows.push_back(static_cast<uint8_t>(r * 16 + b));
        flipRows(rows.data(), 8, height);
        for (int r = 0; r < height; ++r)
            for (int b = 0; b < 8; ++b)
                ASSERT_EQ(rows[r * 8 + b], (height - 1 - r) * 16 + b) << "height " << height << " row " << r;
    }
}

TEST(TextureImage, ScissorBoxIsBottomUpAndOffForTheWholeGraphics) {
    FrameBox box;
    EXPECT_FALSE(scissorBox(KrRect{0, 0, 64, 48}, 64, 48, 64, 48, box));
    // A viewport reaching past the graphics that covers all of it needs none.
    EXPECT_FALSE(scissorBox(KrRect{-10, -10, 100, 100}, 64, 48, 64, 48, box));

    ASSERT_TRUE(scissorBox(KrRect{10, 5, 30, 25}, 64, 48, 64, 48, box));
    EXPECT_EQ(box.x, 10);
    EXPECT_EQ(box.y, 48 - 25);
    EXPECT_EQ(box.width, 20);
    EXPECT_EQ(box.height, 20);

    // Cut to the graphics first: only the top-left part shows.
    ASSERT_TRUE(scissorBox(KrRect{-10, -10, 20, 10}, 64, 48, 64, 48, box));
    EXPECT_EQ(box.x, 0);
    EXPECT_EQ(box.y, 38);
    EXPECT_EQ(box.width, 20);
    EXPECT_EQ(box.height, 10);

    // A frame buffer twice the graphics' size (a canvas whose window grew).
    ASSERT_TRUE(scissorBox(KrRect{10, 5, 30, 25}, 64, 48, 128, 96, box));
    EXPECT_EQ(box.x, 20);
    EXPECT_EQ(box.y, 96 - 50);
    EXPECT_EQ(box.width, 40);
    EXPECT_EQ(box.height, 40);

    // Nothing of the viewport on the graphics: everything is cut away.
    ASSERT_TRUE(scissorBox(KrRect{70, 0, 90, 10}, 64, 48, 64, 48, box));
    EXPECT_EQ(box.width * box.height, 0);
}
