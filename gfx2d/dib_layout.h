// The layout of the device-independent bitmaps that the Windows back ends
// draw in: top-down rows of 16, 24 or 32 bits per pixel.
//
// 16 bits are 5-5-5 (format 2), 24 bits blue-green-red bytes (format 3) and
// 32 bits whole 0xAARRGGBB words (format 7). Rows start on 4-byte
// boundaries. Kept free of the platform so that the rules can be checked
// anywhere.
#pragma once

#include <cstdint>

// The format code of a bit depth, or 0 for a depth a bitmap cannot have.
constexpr int dibFormatOfBits(int bits) { return bits == 16 ? 2 : bits == 24 ? 3 : bits == 32 ? 7 : 0; }

// Bytes from one row to the next: (width × bits / 8 + 3) rounded down to a
// multiple of 4. Computed in 64 bits; -1 when the width is negative or the
// pitch, or the whole bitmap of that height, would not fit in 32 bits.
constexpr int dibPitch(int width, int height, int bits) {
    if (width < 0 || height < 0) return -1;
    int64_t pitch = (static_cast<int64_t>(width) * bits / 8 + 3) & ~int64_t{3};
    if (pitch > INT32_MAX || pitch * height > INT32_MAX) return -1;
    return static_cast<int>(pitch);
}
