// A busy FastTracker II module for measuring how fast tracker music
// decodes: 16 channels, a note on every channel every fourth row (staggered),
// vibrato on half of them and volume slides on the rest, looping samples of
// two instruments; 4 orders of a 64-row pattern at speed 6, 125 BPM (30.72
// seconds).
#pragma once

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

inline std::vector<uint8_t> busyXm() {
    const int channels = 16, rows = 64, orders = 4, instruments = 2, sampleFrames = 512;
    std::vector<uint8_t> out;
    auto bytes = [&](const void* p, size_t n) {
        auto* b = static_cast<const uint8_t*>(p);
        out.insert(out.end(), b, b + n);
    };
    auto u8 = [&](int v) { out.push_back(static_cast<uint8_t>(v)); };
    auto u16 = [&](int v) { u8(v & 0xFF), u8(v >> 8 & 0xFF); };
    auto u32 = [&](uint32_t v) { u16(static_cast<int>(v & 0xFFFF)), u16(static_cast<int>(v >> 16)); };
    auto text = [&](const char* s, size_t n) {
        for (size_t i = 0; i < n; ++i) u8(i < std::strlen(s) ? s[i] : 0);
    };
    bytes("Extended Module: ", 17);
    text("busy", 20);
    u8(0x1A);
    text("vorn bench", 20);
    u16(0x0104), u32(276), u16(orders), u16(0), u16(channels), u16(1), u16(instruments), u16(1), u16(6), u16(125);
    for (int i = 0; i < 256; ++i) u8(0);
    u32(9), u8(0), u16(rows), u16(rows * channels * 5);
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < channels; ++c) {
            bool note = (r + c) % 4 == 0;
            u8(note ? 37 + (r * 7 + c * 5) % 36 : 0);
            u8(note ? 1 + c % instruments : 0);
            u8(note ? 0x20 + (c * 3) % 0x20 : 0);
            u8(c % 2 ? 0x04 : 0x0A);
            u8(c % 2 ? 0x46 : 0x01);
        }
    for (int i = 0; i < instruments; ++i) {
        u32(263);
        text("tone", 22);
        u8(0), u16(1), u32(40);
        for (int k = 0; k < 96 + 96 + 14; ++k) u8(0);
        u16(0);
        for (int k = 0; k < 22; ++k) u8(0);
        u32(sampleFrames), u32(0), u32(sampleFrames), u8(64), u8(0), u8(1), u8(128), u8(i * 12), u8(0);
        text("tone", 22);
        int previous = 0;
        for (int k = 0; k < sampleFrames; ++k) {
            int v = static_cast<int>(std::lround(90 * std::sin(k * 6.283185307 * (i + 1) / 64.0)));
            u8(v - previous);
            previous = v;
        }
    }
    return out;
}
