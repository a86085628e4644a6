// Pixel grids read back from graphics and compared, for the display tests.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx2d/kr_graphics.h"

// Every pixel of the graphics as ARGB words, rows packed.
inline std::vector<uint32_t> pixelsOf(KrGraphics* graphics) {
    std::vector<uint32_t> pixels(static_cast<size_t>(graphics->width()) * graphics->height());
    graphics->readPixels(0, 0, graphics->width(), graphics->height(), pixels.data(), graphics->width() * 4);
    return pixels;
}

// Reports the first few pixels that differ, with their positions in a grid
// `width` pixels wide.
inline void expectSamePixels(const std::vector<uint32_t>& got, const std::vector<uint32_t>& expected, int width) {
    ASSERT_EQ(got.size(), expected.size());
    int differ = 0;
    for (size_t i = 0; i < got.size(); ++i)
        if (got[i] != expected[i] && differ++ < 5)
            ADD_FAILURE() << "pixel " << i % width << "," << i / width << ": got " << std::hex << got[i]
                          << ", expected " << expected[i];
    EXPECT_EQ(differ, 0);
}
