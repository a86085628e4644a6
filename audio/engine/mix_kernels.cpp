#include "audio/engine/mix_kernels.h"

namespace {

// 15 bits of the fraction keep (next - this) * fraction inside 32 bits.
inline int32_t lerp(int32_t a, int32_t b, int32_t fraction) { return a + (((b - a) * fraction) >> 15); }

} // namespace

void mixMonoFrames(const int16_t* data, uint64_t* position, uint64_t step, int frames, int32_t* out,
                   int32_t leftGain, int32_t rightGain) {
    uint64_t pos = *position;
    for (int i = 0; i < frames; ++i) {
        uint32_t index = static_cast<uint32_t>(pos >> 32);
        int32_t fraction = static_cast<int32_t>((static_cast<uint32_t>(pos) >> 17));
        int32_t s = lerp(data[index], data[index + 1], fraction);
        out[2 * i] += (s * leftGain) >> 16;
        out[2 * i + 1] += (s * rightGain) >> 16;
        pos += step;
    }
    *position = pos;
}

void mixStereoFrames(const int16_t* data, uint64_t* position, uint64_t step, int frames, int32_t* out,
                     int32_t leftGain, int32_t rightGain) {
    uint64_t pos = *position;
    for (int i = 0; i < frames; ++i) {
        uint32_t index = static_cast<uint32_t>(pos >> 32);
        int32_t fraction = static_cast<int32_t>((static_cast<uint32_t>(pos) >> 17));
        const int16_t* f = data + 2 * index;
        int32_t l = lerp(f[0], f[2], fraction);
        int32_t r = lerp(f[1], f[3], fraction);
        out[2 * i] += (l * leftGain) >> 16;
        out[2 * i + 1] += (r * rightGain) >> 16;
        pos += step;
    }
    *position = pos;
}
