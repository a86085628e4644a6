#include "audio/engine/sound_sample.h"

SoundSample::SoundSample(PcmBuffer pcm) : pcm_(std::move(pcm)), frames_(pcm_.frames()) {
    defaults.frequency = pcm_.rate;
    pcm_.data.resize(pcm_.data.size() + pcm_.channels);
    setGuard();
}

void SoundSample::setMode(int mode) {
    mode_ = mode == kLoopNormal ? kLoopNormal : kLoopOff;
    setGuard();
}

void SoundSample::setGuard() {
    int c = pcm_.channels;
    const int16_t* from = frames_ == 0 ? nullptr : loops() ? &pcm_.data[0] : &pcm_.data[(frames_ - 1) * c];
    for (int i = 0; i < c; ++i) pcm_.data[frames_ * c + i] = from ? from[i] : 0;
}
