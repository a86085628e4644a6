// PcmBuffer: decoded sound as 16-bit signed frames, mono or stereo,
// interleaved, at the rate the sound was made at. Every decoder delivers
// this one shape, so the mixer has two kernels (mono, stereo) and no format
// switches in its inner loop.
#pragma once

#include <cstdint>
#include <vector>

struct PcmBuffer {
    int channels = 1; // 1 or 2
    int rate = 44100; // frames per second
    std::vector<int16_t> data;

    int frames() const { return channels ? static_cast<int>(data.size()) / channels : 0; }
};

// The limits every decoder holds its input to, so a hostile header cannot
// make the engine allocate without bound.
constexpr int kMinSoundRate = 1000;
constexpr int kMaxSoundRate = 384000;
// About 200 MB of decoded 16-bit stereo.
constexpr int64_t kMaxDecodedFrames = 50'000'000;
