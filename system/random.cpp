// The random number generator of the language and its commands Rnd, Rand,
// SeedRnd and RndSeed.
//
// One 32-bit state, shared by Rnd and Rand, steps through the Park-Miller
// minimal standard generator (multiplier 48271, modulus 2^31 - 1, Schrage's
// method). The float steps round every operation to single precision, as the
// program's own floating-point mode does, so that a seeded sequence repeats
// exactly; the runtime is built for SSE, where float arithmetic rounds that
// way, so the arithmetic below is written on float variables on purpose.
#include <cstdint>

#include "runtime/symbol_registration.h"

namespace {

int32_t state = 0x1234;

int32_t step(int32_t s) {
    int32_t next = 48271 * (s % 44488) - 3399 * (s / 44488);
    if (next < 0) next += 0x7FFFFFFF;
    return next;
}

constexpr float kTwoToMinus27 = 1.0f / 134217728.0f;
constexpr float kTwoToMinus28 = 1.0f / 268435456.0f;
constexpr float kTwoToMinus29 = 1.0f / 536870912.0f;

} // namespace

extern "C" {

// from + r * (to - from) with r in [0, 1) of 24 significant bits.
__attribute__((stdcall)) float Rnd(float from, float to) {
    state = step(state);
    float r = static_cast<float>(state & 0x0FFFFFF0) * kTwoToMinus28; // exact
    float span = to - from;
    float scaled = r * span;
    return from + scaled;
}

__attribute__((stdcall)) int Rand(int from, int to) {
    int32_t lo = from < to ? from : to;
    int32_t hi = from < to ? to : from;
    int32_t b = step(state);
    int32_t c = step(b);
    state = c;
    // The high part is loaded exactly (up to 29 bits) and the addition is the
    // one rounding: the double sum of both parts is exact, so rounding it to
    // float once gives the single-precision sum.
    float low = static_cast<float>(c & 0x1FFFFFF8) * kTwoToMinus27;
    float sum = static_cast<float>(double(b & 0x1FFFFFFC) + double(low));
    float r = sum * kTwoToMinus29;
    float range = static_cast<float>(double(hi) - double(lo));
    range = range + 1.0f;
    float scaled = r * range;
    int64_t result = int64_t(lo) + static_cast<int64_t>(scaled);
    // r can round up to exactly 1.0, and the product to the whole range:
    // that would be one past the top.
    if (result > hi) result = hi;
    return static_cast<int>(result);
}

// 0 and the modulus 2^31 - 1 (a seed of -1, say) are the generator's fixed
// point: a state of either would give the same draw for ever. Both seed as 1.
__attribute__((stdcall)) void SeedRnd(int seed) {
    state = seed & 0x7FFFFFFF;
    if (state == 0 || state == 0x7FFFFFFF) state = 1;
}

__attribute__((stdcall)) int RndSeed() { return state; }

}

KR_COMMAND(Runtime, "#Rnd#from#to=0", Rnd);
KR_COMMAND(Runtime, "%Rand%from%to=1", Rand);
KR_COMMAND(Runtime, "SeedRnd%seed", SeedRnd);
KR_COMMAND(Runtime, "%RndSeed", RndSeed);
