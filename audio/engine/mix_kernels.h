// The inner loops of the mixer: one source (mono or stereo 16-bit frames)
// resampled with linear interpolation and added into a 32-bit stereo
// accumulator with one gain per side. The frame after the last one read must
// exist (the sources keep a guard frame).
#pragma once

#include <cstdint>

void mixMonoFrames(const int16_t* data, uint64_t* position, uint64_t step, int frames, int32_t* out,
                   int32_t leftGain, int32_t rightGain);
void mixStereoFrames(const int16_t* data, uint64_t* position, uint64_t step, int frames, int32_t* out,
                     int32_t leftGain, int32_t rightGain);
