// Pixel format codes, their stored layouts and the exact conversions between
// stored pixels and the 32-bit ARGB words that cross every 2D interface.
//
// Codes: 1 = 16-bit 5-6-5, 2 = 16-bit 5-5-5 (bit 15 unused), 3 = 24-bit
// blue, green, red bytes, 4 = 32-bit XRGB (top byte not colour), 5 and 6 =
// reserved 16-bit codes without a channel layout, 7 = 32-bit ARGB. The
// conversions are integer shifts without rounding or low-bit replication; an
// unknown code reads as 0xFFFF00FF and a store of it writes nothing.
#pragma once

#include <cstdint>
#include <cstring>

enum PixelFormat : int {
    kFormatRgb565 = 1,
    kFormatRgb555 = 2,
    kFormatRgb888 = 3,
    kFormatXrgb8888 = 4,
    kFormatReserved5 = 5,
    kFormatReserved6 = 6,
    kFormatArgb8888 = 7,
};

// The value that reads of an unknown format give and that stores of it skip.
constexpr uint32_t kNoFormatColor = 0xFFFF00FF;

constexpr int bytesPerPixel(int format) {
    switch (format) {
    case 1: case 2: case 5: case 6: return 2;
    case 3: return 3;
    case 4: case 7: return 4;
    default: return 0;
    }
}

// The depth GraphicsDepth and GfxModeDepth report: 16, 24, 32 or 0.
constexpr int formatDepth(int format) { return bytesPerPixel(format) * 8; }

constexpr uint32_t toArgb(int format, uint32_t raw) {
    switch (format) {
    case 1:
        return 0xFF000000u | ((raw >> 11 & 0x1F) << 19) | ((raw >> 5 & 0x3F) << 10) | ((raw & 0x1F) << 3);
    case 2:
        return 0xFF000000u | ((raw >> 10 & 0x1F) << 19) | ((raw >> 5 & 0x1F) << 11) | ((raw & 0x1F) << 3);
    case 3: return 0xFF000000u | (raw & 0xFFFFFF);
    case 4: return raw | 0xFF000000u;
    case 7: return raw;
    default: return kNoFormatColor;
    }
}

constexpr uint32_t fromArgb(int format, uint32_t argb) {
    switch (format) {
    case 1: return ((argb >> 8) & 0xF800) | ((argb >> 5) & 0x07E0) | ((argb >> 3) & 0x001F);
    case 2: return ((argb >> 9) & 0x7C00) | ((argb >> 6) & 0x03E0) | ((argb >> 3) & 0x001F);
    case 3: return argb & 0xFFFFFF;
    case 4: case 7: return argb;
    default: return kNoFormatColor;
    }
}

// A colour as the format can hold it, read back as ARGB.
constexpr uint32_t quantize(int format, uint32_t argb) { return toArgb(format, fromArgb(format, argb)); }

// The stored value at p (bytesPerPixel(format) bytes), unconverted.
inline uint32_t loadRaw(int format, const uint8_t* p) {
    switch (bytesPerPixel(format)) {
    case 2: { uint16_t v; std::memcpy(&v, p, 2); return v; }
    case 3: return p[0] | p[1] << 8 | p[2] << 16;
    case 4: { uint32_t v; std::memcpy(&v, p, 4); return v; }
    default: return 0;
    }
}

// True for the codes with a channel layout: 1, 2, 3, 4 and 7.
constexpr bool hasLayout(int format) { return (format >= 1 && format <= 4) || format == 7; }

// Stores a raw value at p; nothing for a format without a layout's size.
inline void storeRaw(int format, uint8_t* p, uint32_t raw) {
    switch (bytesPerPixel(format)) {
    case 2: { uint16_t v = static_cast<uint16_t>(raw); std::memcpy(p, &v, 2); break; }
    case 3: p[0] = raw & 0xFF; p[1] = raw >> 8 & 0xFF; p[2] = raw >> 16 & 0xFF; break;
    case 4: std::memcpy(p, &raw, 4); break;
    }
}

// The ARGB value of the pixel at p.
inline uint32_t readPixelAt(int format, const uint8_t* p) { return toArgb(format, loadRaw(format, p)); }

// Stores an ARGB colour at p in the format; the reserved and unknown codes
// write nothing.
inline void writePixelAt(int format, uint8_t* p, uint32_t argb) {
    if (hasLayout(format)) storeRaw(format, p, fromArgb(format, argb));
}

// The channel description of a platform surface.
struct PixelDescription {
    int bitsPerPixel = 0;
    uint32_t redMask = 0;
    uint32_t greenMask = 0;
    uint32_t blueMask = 0;
    uint32_t alphaMask = 0;
};

// The description of codes 1-4; any other code raises "Unrecognized Vorn
// pixel format: %i" (the description stays all zero).
PixelDescription describeFormat(int format);

// The code of a platform description (bits per pixel and the three colour
// masks), or 0. With `report`, an unknown description is a runtime error.
int recognizeFormat(const PixelDescription& description, bool report);
