// A copy for the short byte runs of string work. Variable-length memcpy is a
// call into the C library (under Wine a costly one); short strings are
// copied inline with fixed-size moves instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

inline void krCopyBytes(char* to, const char* from, size_t count) {
    if (count > 64) {
        std::memcpy(to, from, count);
        return;
    }
    for (; count >= 8; count -= 8, to += 8, from += 8) {
        uint64_t word;
        __builtin_memcpy(&word, from, 8);
        __builtin_memcpy(to, &word, 8);
    }
    if (count >= 4) {
        uint32_t word;
        __builtin_memcpy(&word, from, 4);
        __builtin_memcpy(to, &word, 4);
        count -= 4, to += 4, from += 4;
    }
    if (count >= 2) {
        uint16_t word;
        __builtin_memcpy(&word, from, 2);
        __builtin_memcpy(to, &word, 2);
        count -= 2, to += 2, from += 2;
    }
    if (count) *to = *from;
}
