// Row loops with SSE2 wide loads and stores for the pixel kernels: fills,
// same-layout copies that fix up the bits a format does not keep, and
// colour-keyed copies. Each takes a pixel count; memory may be unaligned.
// The 32-bit fills and blits, the sprite cases, loop over their rows here
// too: a call per row costs sprite-sized rows a tenth of their time.
#pragma once

#include <cstdint>

namespace sse2 {

void fill16(uint8_t* p, int n, uint16_t raw);
void fill24(uint8_t* p, int n, uint32_t raw);
// Rows of n pixels, pitch bytes apart.
void fill32Rows(uint8_t* p, int pitch, int n, int rows, uint32_t raw);

// d[i] = s[i] | orBits (32-bit pixels); orBits 0 is a plain copy.
void copy32(uint8_t* d, const uint8_t* s, int n, uint32_t orBits);
// The same over rows of n pixels, dPitch and sPitch bytes apart.
void copy32Rows(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t orBits);
// d[i] = s[i] & andBits (16-bit pixels).
void copy16(uint8_t* d, const uint8_t* s, int n, uint16_t andBits);

// 32-bit pixels whose low 24 bits differ from key are stored as s[i] | orBits,
// over rows of n pixels, dPitch and sPitch bytes apart.
void keyed32Rows(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t key,
                 uint32_t orBits);
// 16-bit pixels: v = s[i] & andBits; stored unless v equals key.
void keyed16(uint8_t* d, const uint8_t* s, int n, uint16_t key, uint16_t andBits);

} // namespace sse2
