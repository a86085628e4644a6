#include "audio/engine/mixer.h"

#include <algorithm>

#include "audio/engine/mix_kernels.h"
#include "audio/engine/sound_sample.h"
#include "audio/engine/sound_stream.h"

namespace {

constexpr uint32_t kGenerationMask = 0x7FFFF; // keeps channel numbers positive

} // namespace

void SoundMixer::setup(int rate, int channels) {
    rate_ = rate;
    channels_.assign(static_cast<size_t>(std::clamp(channels, 1, kMaxChannels)), MixChannel{});
}

int SoundMixer::gain(int volume, int weight) {
    return static_cast<int>((std::clamp(volume, 0, 255) * weight * int64_t{65536} + 65025 / 2) / 65025);
}

int SoundMixer::leftWeight(int pan) { return pan <= 128 ? 255 : 2 * (255 - pan); }

int SoundMixer::rightWeight(int pan) { return pan >= 127 ? 255 : 2 * pan; }

int SoundMixer::claim(int index, int priority) {
    int count = channelCount();
    if (index >= count) return -1;
    if (index < 0) {
        for (int i = 0; i < count && index < 0; ++i)
            if (!channels_[i].active) index = i;
        // All busy: take the least important playing channel, if the new
        // sound matters at least as much. Streams keep their channels.
        if (index < 0) {
            for (int j = 0; j < count; ++j)
                if (!channels_[j].stream && channels_[j].priority <= priority &&
                    (index < 0 || channels_[j].priority < channels_[index].priority))
                    index = j;
            if (index < 0) return -1;
        }
    }
    MixChannel& c = channels_[index];
    stop(c);
    uint32_t generation = (c.generation & kGenerationMask) + 1;
    if (generation > kGenerationMask) generation = 1;
    c = MixChannel{};
    c.generation = generation;
    c.active = true;
    return static_cast<int>(generation << 12) | index;
}

MixChannel* SoundMixer::find(int number) {
    if (number < 0) return nullptr;
    int index = number & 0xFFF;
    if (index >= channelCount()) return nullptr;
    MixChannel& c = channels_[index];
    return c.generation == static_cast<uint32_t>(number) >> 12 ? &c : nullptr;
}

void SoundMixer::stop(MixChannel& c) {
    if (c.stream) c.stream->channel = -1;
    c.active = false;
    c.sample = nullptr;
    c.stream = nullptr;
}

void SoundMixer::mix(int16_t* out, int frames) {
    accumulator_.assign(static_cast<size_t>(frames) * 2, 0);
    for (MixChannel& c : channels_)
        if (c.active && !c.paused) mixChannel(c, accumulator_.data(), frames);
    for (int i = 0; i < frames * 2; ++i) out[i] = static_cast<int16_t>(std::clamp(accumulator_[i], -32768, 32767));
}

void SoundMixer::mixChannel(MixChannel& c, int32_t* into, int frames) {
    uint64_t step = (static_cast<uint64_t>(std::clamp(c.frequency, 0, kMaxFrequency)) << 32) / rate_;
    int32_t left = gain(c.volume, leftWeight(c.pan));
    int32_t right = gain(c.volume, rightWeight(c.pan));
    int done = 0;
    for (;;) {
        const int16_t* data;
        int mixable, channels;
        if (c.sample) {
            data = c.sample->data();
            mixable = c.sample->frames();
            channels = c.sample->channels();
        } else {
            data = c.stream->data();
            mixable = c.stream->mixable();
            channels = c.stream->channels();
        }
        uint64_t end = static_cast<uint64_t>(mixable) << 32;
        if (c.position >= end) {
            if (c.sample && c.sample->loops()) {
                c.position %= end;
                continue;
            }
            if (c.stream && c.stream->advance(&c.position)) continue;
            stop(c);
            return;
        }
        // A channel at frequency 0 stands still on its frame.
        if (done == frames || step == 0) return;
        uint64_t left_until_end = (end - c.position + step - 1) / step;
        int n = static_cast<int>(std::min<uint64_t>(left_until_end, static_cast<uint64_t>(frames - done)));
        if (channels == 2)
            mixStereoFrames(data, &c.position, step, n, into + 2 * done, left, right);
        else
            mixMonoFrames(data, &c.position, step, n, into + 2 * done, left, right);
        done += n;
    }
}
