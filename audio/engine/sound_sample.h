// SoundSample: a sound decoded whole into memory, with the defaults every
// play of it starts from and its loop mode.
//
// The frames are followed by one guard frame, so the mixer's interpolation
// can always read the frame after the one it plays: the first frame when the
// sample loops, a copy of the last one when it does not.
#pragma once

#include "audio/engine/pcm_buffer.h"

// Loop modes as the engine's callers pass them.
constexpr int kLoopOff = 1;
constexpr int kLoopNormal = 2;

struct SampleDefaults {
    int frequency = 44100; // Hz
    int volume = 255;      // 0..255
    int pan = 128;         // 0 left .. 255 right
    int priority = 128;    // 0..255; a higher one may take the channel of a lower one
};

class SoundSample {
public:
    explicit SoundSample(PcmBuffer pcm);

    int frames() const { return frames_; }
    int channels() const { return pcm_.channels; }
    const int16_t* data() const { return pcm_.data.data(); }
    bool loops() const { return mode_ == kLoopNormal; }
    int mode() const { return mode_; }
    // Modes other than normal looping play once.
    void setMode(int mode);

    SampleDefaults defaults;

private:
    void setGuard();

    PcmBuffer pcm_;
    int frames_;
    int mode_ = kLoopOff;
};
