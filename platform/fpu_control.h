// The x87 control word around compiled code: compiled code computes with the
// x87 unit in single precision; the runtime's own code uses SSE and is not
// affected by it.
#pragma once

#include <cstdint>

namespace fpu {

// Precision control 24 bits, round to nearest, all exceptions masked.
constexpr uint16_t kSinglePrecision = 0x007F;
// Precision control 53 bits, round to nearest, all exceptions masked.
constexpr uint16_t kDoublePrecision = 0x027F;

inline uint16_t controlWord() {
    uint16_t word;
    __asm__ __volatile__("fnstcw %0" : "=m"(word));
    return word;
}

inline void setControlWord(uint16_t word) { __asm__ __volatile__("fldcw %0" : : "m"(word)); }

// Empties the register stack and clears the exception flags, keeping the
// control word: values that abandoned frames left behind must not fill the
// stack of whoever computes next.
inline void emptyStack() {
    uint16_t word = controlWord();
    __asm__ __volatile__("fninit");
    setControlWord(word);
}

} // namespace fpu
