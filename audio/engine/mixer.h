// SoundMixer: the software channels and the mixing of them into 16-bit
// stereo at the output rate.
//
// Each channel plays a sample or a stream from a 32.32 fixed-point frame
// position that advances by frequency / output rate per output frame, with
// linear interpolation between neighbouring frames (exact at the source's
// own rate). Volume and pan become one 16.16 gain per side:
//   side weight = 255 for pan 127..128 on both sides; below 127 the right
//                 weight is 2 * pan, above 128 the left weight is 2 * (255 - pan);
//   gain        = round(volume * weight * 65536 / 65025);
//   contribution = (frame * gain) >> 16 (arithmetic shift);
// contributions add up in 32 bits and are clamped to 16 bits at the end.
// A channel that does not loop ends at the source's last frame.
//
// Channel numbers given out keep the channel's index in their low 12 bits
// and a generation count (1 and up) above it, so no number is 0 and a number
// of a sound that ended controls nothing played later on that channel.
//
// Not thread-safe by itself: the engine holds its lock around every call.
#pragma once

#include <cstdint>
#include <vector>

class SoundSample;
class SoundStream;

struct MixChannel {
    uint32_t generation = 0;
    bool active = false;
    bool paused = false;
    SoundSample* sample = nullptr;
    SoundStream* stream = nullptr;
    uint64_t position = 0; // source frames, 32.32
    int frequency = 44100;
    int volume = 255;
    int pan = 128;
    int priority = 128;
};

class SoundMixer {
public:
    static constexpr int kMaxChannels = 4096;
    static constexpr int kMaxFrequency = 1'000'000;

    void setup(int rate, int channels);
    int rate() const { return rate_; }
    int channelCount() const { return static_cast<int>(channels_.size()); }

    // A new channel number for a play on `index` (-1: the lowest free
    // channel, else the lowest-priority playing one of priority <= `priority`);
    // -1 when none can be had. The channel is reset and marked active.
    int claim(int index, int priority);
    // The channel a number names while it is that number's play; else null.
    MixChannel* find(int number);
    MixChannel& at(int index) { return channels_[index]; }
    void stop(MixChannel& channel);

    // Adds every playing channel into `frames` stereo frames of `out`.
    void mix(int16_t* out, int frames);

    static int gain(int volume, int weight);
    static int leftWeight(int pan);
    static int rightWeight(int pan);

private:
    void mixChannel(MixChannel& c, int32_t* into, int frames);

    int rate_ = 44100;
    std::vector<MixChannel> channels_;
    std::vector<int32_t> accumulator_;
};
