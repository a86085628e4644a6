// The one PCM layout both device outputs play: 16-bit stereo at the engine's
// rate, as the mixer renders it.
#pragma once

#include <windows.h>
#include <mmsystem.h>

inline WAVEFORMATEX stereo16Format(int rate) {
    WAVEFORMATEX format{};
    format.wFormatTag = WAVE_FORMAT_PCM;
    format.nChannels = 2;
    format.nSamplesPerSec = rate;
    format.wBitsPerSample = 16;
    format.nBlockAlign = 4;
    format.nAvgBytesPerSec = rate * 4;
    return format;
}
