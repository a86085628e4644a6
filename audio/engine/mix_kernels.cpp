#include "audio/engine/mix_kernels.h"

namespace {

// 15 bits of the fraction keep (next - this) * fraction inside 32 bits.
inline int32_t lerp(int32_t a, int32_t b, uint32_t fraction) {
    return a + ((b - a) * static_cast<int32_t>(fraction >> 17) >> 15);
}

// The position as two 32-bit halves: cheaper than 64-bit adds on x86-32.
struct Cursor {
    explicit Cursor(uint64_t position, uint64_t step)
        : index(static_cast<uint32_t>(position >> 32)), fraction(static_cast<uint32_t>(position)),
          stepIndex(static_cast<uint32_t>(step >> 32)), stepFraction(static_cast<uint32_t>(step)) {}
    void advance() {
        uint32_t next = fraction + stepFraction;
        index += stepIndex + (next < fraction);
        fraction = next;
    }
    uint64_t position() const { return static_cast<uint64_t>(index) << 32 | fraction; }

    uint32_t index, fraction, stepIndex, stepFraction;
};

} // namespace

void mixMonoFrames(const int16_t* data, uint64_t* position, uint64_t step, int frames, int32_t* out,
                   int32_t leftGain, int32_t rightGain) {
    Cursor c(*position, step);
    for (int i = 0; i < frames; ++i) {
        int32_t s = lerp(data[c.index], data[c.index + 1], c.fraction);
        out[2 * i] += (s * leftGain) >> 16;
        out[2 * i + 1] += (s * rightGain) >> 16;
        c.advance();
    }
    *position = c.position();
}

void mixStereoFrames(const int16_t* data, uint64_t* position, uint64_t step, int frames, int32_t* out,
                     int32_t leftGain, int32_t rightGain) {
    Cursor c(*position, step);
    for (int i = 0; i < frames; ++i) {
        const int16_t* f = data + 2 * c.index;
        out[2 * i] += (lerp(f[0], f[2], c.fraction) * leftGain) >> 16;
        out[2 * i + 1] += (lerp(f[1], f[3], c.fraction) * rightGain) >> 16;
        c.advance();
    }
    *position = c.position();
}
