// SSE2 row loops of the pixel kernels.
#include "gfx2d/pixel_rows_sse2.h"

#include <emmintrin.h>

#include <cstring>

namespace sse2 {

namespace {

inline __m128i load(const uint8_t* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); }
inline void store(uint8_t* p, __m128i v) { _mm_storeu_si128(reinterpret_cast<__m128i*>(p), v); }
inline void storeAligned(uint8_t* p, __m128i v) { _mm_store_si128(reinterpret_cast<__m128i*>(p), v); }

template <typename T>
inline T get(const uint8_t* p) {
    T v;
    std::memcpy(&v, p, sizeof v);
    return v;
}
template <typename T>
inline void put(uint8_t* p, T v) {
    std::memcpy(p, &v, sizeof v);
}

// Fills `bytes` bytes with a pattern that repeats every 16 bytes and every
// `unit` bytes (2 or 4): scalar units up to a 16-byte boundary, then aligned
// stores, then scalar units.
template <typename T>
void fillUniform(uint8_t* p, int n, T raw, __m128i v) {
    while (n > 0 && (reinterpret_cast<uintptr_t>(p) & 15)) {
        put<T>(p, raw);
        p += sizeof(T);
        --n;
    }
    const int perVector = 16 / sizeof(T);
    for (; n >= 4 * perVector; n -= 4 * perVector, p += 64) {
        storeAligned(p, v);
        storeAligned(p + 16, v);
        storeAligned(p + 32, v);
        storeAligned(p + 48, v);
    }
    for (; n >= perVector; n -= perVector, p += 16) storeAligned(p, v);
    for (; n > 0; --n, p += sizeof(T)) put<T>(p, raw);
}

} // namespace

void fill16(uint8_t* p, int n, uint16_t raw) {
    if ((reinterpret_cast<uintptr_t>(p) & 1) == 0) {
        fillUniform<uint16_t>(p, n, raw, _mm_set1_epi16(static_cast<short>(raw)));
        return;
    }
    for (; n > 0; --n, p += 2) put<uint16_t>(p, raw);
}

// The processor's string store is the fastest fill of long runs (it is what
// memset uses); short runs do better with vector stores.
inline void storeString32(uint8_t* p, size_t n, uint32_t raw) {
    asm volatile("rep stosl" : "+D"(p), "+c"(n) : "a"(raw) : "memory");
}

constexpr int kStringStoreBytes = 2048;

namespace {

inline void fillRow32(uint8_t* p, int n, uint32_t raw) {
    if (n * 4 >= kStringStoreBytes) {
        storeString32(p, static_cast<size_t>(n), raw);
        return;
    }
    if (n < 4 || (reinterpret_cast<uintptr_t>(p) & 3) != 0) {
        for (; n > 0; --n, p += 4) put<uint32_t>(p, raw);
        return;
    }
    // One unaligned store at each end and aligned stores between, which the
    // end stores overlap with the same bytes (the pattern repeats every four
    // bytes from p): on sprite-sized rows, pixel-by-pixel stores up to an
    // alignment and after the last vector cost as much as the vectors.
    const __m128i v = _mm_set1_epi32(static_cast<int>(raw));
    uint8_t* const end = p + 4 * n;
    store(p, v);
    store(end - 16, v);
    uint8_t* q = reinterpret_cast<uint8_t*>((reinterpret_cast<uintptr_t>(p) + 16) & ~uintptr_t{15});
    uint8_t* const stop = reinterpret_cast<uint8_t*>(reinterpret_cast<uintptr_t>(end) & ~uintptr_t{15});
    for (; q + 64 <= stop; q += 64) {
        storeAligned(q, v);
        storeAligned(q + 16, v);
        storeAligned(q + 32, v);
        storeAligned(q + 48, v);
    }
    for (; q < stop; q += 16) storeAligned(q, v);
}

} // namespace

void fill32Rows(uint8_t* p, int pitch, int n, int rows, uint32_t raw) {
    for (; rows > 0; --rows, p += pitch) fillRow32(p, n, raw);
}

void fill24(uint8_t* p, int n, uint32_t raw) {
    // Sixteen pixels are 48 bytes: three vectors of one repeating pattern.
    alignas(16) uint8_t pattern[48];
    for (int i = 0; i < 16; ++i) {
        pattern[3 * i] = raw & 0xFF;
        pattern[3 * i + 1] = raw >> 8 & 0xFF;
        pattern[3 * i + 2] = raw >> 16 & 0xFF;
    }
    const __m128i a = load(pattern), b = load(pattern + 16), c = load(pattern + 32);
    for (; n >= 16; n -= 16, p += 48) {
        store(p, a);
        store(p + 16, b);
        store(p + 32, c);
    }
    std::memcpy(p, pattern, 3 * n);
}

namespace {

inline void copyRow32(uint8_t* d, const uint8_t* s, int n, uint32_t orBits) {
    if (orBits == 0) {
        std::memcpy(d, s, 4 * static_cast<size_t>(n));
        return;
    }
    const __m128i o = _mm_set1_epi32(static_cast<int>(orBits));
    // Unaligned stores throughout: aligning the destination first costs more
    // on sprite-sized rows than it saves.
    for (; n >= 16; n -= 16, d += 64, s += 64) {
        __m128i v0 = load(s), v1 = load(s + 16), v2 = load(s + 32), v3 = load(s + 48);
        store(d, _mm_or_si128(v0, o));
        store(d + 16, _mm_or_si128(v1, o));
        store(d + 32, _mm_or_si128(v2, o));
        store(d + 48, _mm_or_si128(v3, o));
    }
    for (; n >= 4; n -= 4, d += 16, s += 16) store(d, _mm_or_si128(load(s), o));
    for (; n > 0; --n, d += 4, s += 4) put<uint32_t>(d, get<uint32_t>(s) | orBits);
}

} // namespace

void copy32(uint8_t* d, const uint8_t* s, int n, uint32_t orBits) { copyRow32(d, s, n, orBits); }

void copy32Rows(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t orBits) {
    for (; rows > 0; --rows, d += dPitch, s += sPitch) copyRow32(d, s, n, orBits);
}

void copy16(uint8_t* d, const uint8_t* s, int n, uint16_t andBits) {
    if (andBits == 0xFFFF) {
        std::memcpy(d, s, 2 * static_cast<size_t>(n));
        return;
    }
    const __m128i m = _mm_set1_epi16(static_cast<short>(andBits));
    for (; n >= 32; n -= 32, d += 64, s += 64) {
        __m128i v0 = load(s), v1 = load(s + 16), v2 = load(s + 32), v3 = load(s + 48);
        store(d, _mm_and_si128(v0, m));
        store(d + 16, _mm_and_si128(v1, m));
        store(d + 32, _mm_and_si128(v2, m));
        store(d + 48, _mm_and_si128(v3, m));
    }
    for (; n >= 8; n -= 8, d += 16, s += 16) store(d, _mm_and_si128(load(s), m));
    for (; n > 0; --n, d += 2, s += 2) put<uint16_t>(d, get<uint16_t>(s) & andBits);
}

namespace {

inline void keyedRow32(uint8_t* d, const uint8_t* s, int n, uint32_t key, uint32_t orBits) {
    const __m128i colour = _mm_set1_epi32(0x00FFFFFF);
    const __m128i k = _mm_set1_epi32(static_cast<int>(key));
    const __m128i o = _mm_set1_epi32(static_cast<int>(orBits));
    // Every vector is blended without branches: sprite edges would make
    // branches on the mask mispredict at every row.
    auto blend = [&](uint8_t* to, __m128i v, __m128i old) {
        __m128i hit = _mm_cmpeq_epi32(_mm_and_si128(v, colour), k);
        store(to, _mm_or_si128(_mm_and_si128(hit, old), _mm_andnot_si128(hit, _mm_or_si128(v, o))));
    };
    for (; n >= 16; n -= 16, d += 64, s += 64) {
        __m128i v0 = load(s), v1 = load(s + 16), v2 = load(s + 32), v3 = load(s + 48);
        __m128i d0 = load(d), d1 = load(d + 16), d2 = load(d + 32), d3 = load(d + 48);
        blend(d, v0, d0);
        blend(d + 16, v1, d1);
        blend(d + 32, v2, d2);
        blend(d + 48, v3, d3);
    }
    for (; n >= 4; n -= 4, d += 16, s += 16) blend(d, load(s), load(d));
    for (; n > 0; --n, d += 4, s += 4) {
        uint32_t v = get<uint32_t>(s);
        if ((v & 0xFFFFFF) != key) put<uint32_t>(d, v | orBits);
    }
}

} // namespace

void keyed32Rows(uint8_t* d, int dPitch, const uint8_t* s, int sPitch, int n, int rows, uint32_t key,
                 uint32_t orBits) {
    for (; rows > 0; --rows, d += dPitch, s += sPitch) keyedRow32(d, s, n, key, orBits);
}

void keyed16(uint8_t* d, const uint8_t* s, int n, uint16_t key, uint16_t andBits) {
    const __m128i m = _mm_set1_epi16(static_cast<short>(andBits));
    const __m128i k = _mm_set1_epi16(static_cast<short>(key));
    for (; n >= 8; n -= 8, d += 16, s += 16) {
        __m128i v = _mm_and_si128(load(s), m);
        __m128i hit = _mm_cmpeq_epi16(v, k);
        int bits = _mm_movemask_epi8(hit);
        if (bits == 0) {
            store(d, v);
        } else if (bits != 0xFFFF) {
            store(d, _mm_or_si128(_mm_and_si128(hit, load(d)), _mm_andnot_si128(hit, v)));
        }
    }
    for (; n > 0; --n, d += 2, s += 2) {
        uint16_t v = get<uint16_t>(s) & andBits;
        if (v != key) put<uint16_t>(d, v);
    }
}

} // namespace sse2
