// Colours between the gadget commands and the platform: programs pass red,
// green and blue apart (each kept to its low 8 bits) or as one 0xRRGGBB word;
// the platform's colour word holds red in the low byte (0x00BBGGRR).
#pragma once

#include <cstdint>

inline uint32_t platformColour(int red, int green, int blue) {
    return uint32_t(red & 0xFF) | uint32_t(green & 0xFF) << 8 | uint32_t(blue & 0xFF) << 16;
}

// 0xRRGGBB <-> 0x00BBGGRR (the same swap both ways).
inline uint32_t swapRedBlue(uint32_t word) {
    return (word & 0xFF) << 16 | (word & 0xFF00) | (word >> 16 & 0xFF);
}
