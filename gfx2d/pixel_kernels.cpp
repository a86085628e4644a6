// The fast pixel kernels: a row loop chosen once per call by the format pair
// and the mask flag. Same-layout pairs use the SSE2 loops (masked 24-bit
// copies go run by run); every other pair of formats with a layout uses a
// loop specialised for that pair; formats without a layout fall back to the
// reference.
#include "gfx2d/pixel_kernels.h"

#include <cstring>

#include "gfx2d/pixel_format.h"
#include "gfx2d/pixel_rows_sse2.h"

namespace {

// A blit's rows: n pixels each, dPitch and sPitch bytes apart.
using RowsCopy = void (*)(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t key);

// The loop over the rows around a loop over one row.
template <void (*Row)(uint8_t*, const uint8_t*, int, uint32_t)>
void eachRow(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t key) {
    for (; rows > 0; --rows, d += dPitch, s += sPitch) Row(d, s, n, key);
}

template <int S, int D, bool Masked>
void convertRow(uint8_t* d, const uint8_t* s, int n, uint32_t key) {
    constexpr int sb = bytesPerPixel(S), db = bytesPerPixel(D);
    for (int i = 0; i < n; ++i, s += sb, d += db) {
        const uint32_t argb = toArgb(S, loadRaw(S, s));
        if (Masked && (argb & 0xFFFFFF) == key) continue;
        storeRaw(D, d, fromArgb(D, argb));
    }
}

constexpr int layoutIndex(int format) {
    switch (format) {
    case 1: return 0;
    case 2: return 1;
    case 3: return 2;
    case 4: return 3;
    case 7: return 4;
    default: return -1;
    }
}

template <int S, bool Masked>
constexpr RowsCopy rowFor(int d) {
    switch (d) {
    case 0: return eachRow<convertRow<S, 1, Masked>>;
    case 1: return eachRow<convertRow<S, 2, Masked>>;
    case 2: return eachRow<convertRow<S, 3, Masked>>;
    case 3: return eachRow<convertRow<S, 4, Masked>>;
    default: return eachRow<convertRow<S, 7, Masked>>;
    }
}

template <bool Masked>
RowsCopy convertingRow(int s, int d) {
    switch (s) {
    case 0: return rowFor<1, Masked>(d);
    case 1: return rowFor<2, Masked>(d);
    case 2: return rowFor<3, Masked>(d);
    case 3: return rowFor<4, Masked>(d);
    default: return rowFor<7, Masked>(d);
    }
}

// Same-layout copies. An XRGB source reads with its top byte set, so copies
// out of format 4 set it; format 2 drops bit 15.
void copy24(uint8_t* d, const uint8_t* s, int n, uint32_t) { std::memcpy(d, s, 3 * static_cast<unsigned>(n)); }
void copyFromXrgb(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t) {
    sse2::copy32Rows(d, dPitch, s, sPitch, n, rows, 0xFF000000u);
}
void copyFromArgb(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t) {
    sse2::copy32Rows(d, dPitch, s, sPitch, n, rows, 0);
}
void copy565(uint8_t* d, const uint8_t* s, int n, uint32_t) { sse2::copy16(d, s, n, 0xFFFF); }
void copy555(uint8_t* d, const uint8_t* s, int n, uint32_t) { sse2::copy16(d, s, n, 0x7FFF); }

// A 24-bit pixel as 0xRRGGBB, the form a quantised key takes.
inline uint32_t pixel24(const uint8_t* p) { return p[0] | p[1] << 8 | uint32_t(p[2]) << 16; }

// 24-bit pixels against a key: each run of pixels to copy goes with one
// memcpy, so the opaque part of a sprite row costs one call.
void keyed24(uint8_t* d, const uint8_t* s, int n, uint32_t key) {
    int i = 0;
    while (i < n) {
        while (i < n && pixel24(s + 3 * i) == key) ++i;
        const int start = i;
        while (i < n && pixel24(s + 3 * i) != key) ++i;
        if (i > start) std::memcpy(d + 3 * start, s + 3 * start, 3 * static_cast<unsigned>(i - start));
    }
}

void keyedFromXrgb(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t key) {
    sse2::keyed32Rows(d, dPitch, s, sPitch, n, rows, key, 0xFF000000u);
}
void keyedFromArgb(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t key) {
    sse2::keyed32Rows(d, dPitch, s, sPitch, n, rows, key, 0);
}
// A 16-bit pixel matches a quantised key exactly when its kept bits equal the
// key's stored form.
void keyed565(uint8_t* d, const uint8_t* s, int n, uint32_t key) {
    sse2::keyed16(d, s, n, static_cast<uint16_t>(fromArgb(1, key)), 0xFFFF);
}
void keyed555(uint8_t* d, const uint8_t* s, int n, uint32_t key) {
    sse2::keyed16(d, s, n, static_cast<uint16_t>(fromArgb(2, key)), 0x7FFF);
}

RowsCopy chooseRowsCopy(int srcFormat, int dstFormat, bool masked) {
    const int s = layoutIndex(srcFormat), d = layoutIndex(dstFormat);
    if (s < 0 || d < 0) return nullptr;
    const bool toWord = dstFormat == 4 || dstFormat == 7;
    if (!masked) {
        if (srcFormat == 4 && toWord) return copyFromXrgb;
        if (srcFormat == 7 && toWord) return copyFromArgb;
        if (srcFormat == 3 && dstFormat == 3) return eachRow<copy24>;
        if (srcFormat == 1 && dstFormat == 1) return eachRow<copy565>;
        if (srcFormat == 2 && dstFormat == 2) return eachRow<copy555>;
        return convertingRow<false>(s, d);
    }
    if (srcFormat == 4 && toWord) return keyedFromXrgb;
    if (srcFormat == 7 && toWord) return keyedFromArgb;
    if (srcFormat == 3 && dstFormat == 3) return eachRow<keyed24>;
    if (srcFormat == 1 && dstFormat == 1) return eachRow<keyed565>;
    if (srcFormat == 2 && dstFormat == 2) return eachRow<keyed555>;
    return convertingRow<true>(s, d);
}

// True when both areas' rows follow each other without gaps, so w * h pixels
// can go as one row.
bool contiguous(const PixelArea& a, int w) { return a.pitch == w * bytesPerPixel(a.format); }

} // namespace

void fillPixels(const PixelArea& area, int w, int h, uint32_t argb) {
    if (w <= 0 || h <= 0 || !hasLayout(area.format)) return;
    const uint32_t raw = fromArgb(area.format, argb);
    if (contiguous(area, w)) {
        w *= h;
        h = 1;
    }
    switch (bytesPerPixel(area.format)) {
    case 2:
        for (int y = 0; y < h; ++y) sse2::fill16(area.pixels + y * area.pitch, w, static_cast<uint16_t>(raw));
        break;
    case 3:
        for (int y = 0; y < h; ++y) sse2::fill24(area.pixels + y * area.pitch, w, raw);
        break;
    default: sse2::fill32Rows(area.pixels, area.pitch, w, h, raw); break;
    }
}

void blitPixels(const PixelArea& dst, const PixelArea& src, int w, int h, bool masked, uint32_t maskColor) {
    if (w <= 0 || h <= 0) return;
    RowsCopy rows = chooseRowsCopy(src.format, dst.format, masked);
    if (!rows) {
        reference::blitPixels(dst, src, w, h, masked, maskColor);
        return;
    }
    const uint32_t key = quantize(src.format, maskColor) & 0xFFFFFF;
    if (contiguous(dst, w) && contiguous(src, w)) {
        w *= h;
        h = 1;
    }
    rows(dst.pixels, dst.pitch, src.pixels, src.pitch, w, h, key);
}

namespace {

template <int F>
void readRow(uint32_t* out, const uint8_t* p, int n) {
    for (int i = 0; i < n; ++i, p += bytesPerPixel(F)) out[i] = toArgb(F, loadRaw(F, p));
}

template <int F>
void writeRow(uint8_t* p, const uint32_t* in, int n) {
    for (int i = 0; i < n; ++i, p += bytesPerPixel(F)) storeRaw(F, p, fromArgb(F, in[i]));
}

} // namespace

void readPixelArea(const PixelArea& area, int w, int h, uint32_t* dest, int destPitch) {
    void (*row)(uint32_t*, const uint8_t*, int);
    switch (area.format) {
    case 1: row = readRow<1>; break;
    case 2: row = readRow<2>; break;
    case 3: row = readRow<3>; break;
    case 4: row = [](uint32_t* o, const uint8_t* p, int n) { sse2::copy32(reinterpret_cast<uint8_t*>(o), p, n, 0xFF000000u); }; break;
    case 7: row = [](uint32_t* o, const uint8_t* p, int n) { sse2::copy32(reinterpret_cast<uint8_t*>(o), p, n, 0); }; break;
    default: reference::readPixelArea(area, w, h, dest, destPitch); return;
    }
    for (int y = 0; y < h; ++y)
        row(reinterpret_cast<uint32_t*>(reinterpret_cast<uint8_t*>(dest) + y * destPitch), area.pixels + y * area.pitch, w);
}

void writePixelArea(const PixelArea& area, int w, int h, const uint32_t* src, int srcPitch) {
    void (*row)(uint8_t*, const uint32_t*, int);
    switch (area.format) {
    case 1: row = writeRow<1>; break;
    case 2: row = writeRow<2>; break;
    case 3: row = writeRow<3>; break;
    case 4:
    case 7: row = [](uint8_t* p, const uint32_t* in, int n) { sse2::copy32(p, reinterpret_cast<const uint8_t*>(in), n, 0); }; break;
    default: return; // nothing is stored in a format without a layout
    }
    for (int y = 0; y < h; ++y)
        row(area.pixels + y * area.pitch, reinterpret_cast<const uint32_t*>(reinterpret_cast<const uint8_t*>(src) + y * srcPitch), w);
}
