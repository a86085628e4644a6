// SoundEngine: the sound engine under the audio driver. It owns the mixer,
// the loaded samples, open streams and songs, and the output that plays the
// mix.
//
// Operations take the engine's lock only for as long as they touch the
// channel table; the output thread takes it only while one block is mixed
// (a fraction of a millisecond), so no operation waits on the sound device.
// Samples, streams and songs are handed out as pointers and must be given
// back to the engine that made them; channels are numbers (see mixer.h):
// >= 0 on success, negative on failure.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>

#include "audio/engine/mixer.h"
#include "audio/engine/sound_output.h"
#include "audio/engine/sound_sample.h"

class SoundDecoder;
class SoundStream;
class SoundSong;

class SoundEngine : private SoundRenderer {
public:
    // Offline: no output, the caller mixes with render() (tests, tools).
    enum class Output { Device, Offline };

    SoundEngine() = default;
    ~SoundEngine();
    SoundEngine(const SoundEngine&) = delete;
    SoundEngine& operator=(const SoundEngine&) = delete;

    // Starts at `rate` Hz with `channels` software channels; with Device
    // the first output that opens plays the mix (the silent one when no
    // device does). `flags` bit 0: music may use the default MIDI
    // synthesiser. False when the arguments are unusable or nothing opens.
    bool init(int rate, int channels, int flags, Output output = Output::Device);
    // Stops the output and frees everything still loaded.
    void close();
    bool initialised() const { return initialised_; }
    // The output kind that opened ("" offline or when closed).
    const char* outputName() const { return outputName_; }
    int rate() const { return mixer_.rate(); }

    // Samples. `index` -1 takes a free index (the only form supported);
    // `mode` is a loop mode or 0 (play once); `offset` must be 0.
    SoundSample* loadSample(int index, const char* path, int mode, int offset);
    void freeSample(SoundSample* sample);
    SampleDefaults sampleDefaults(SoundSample* sample);
    void setSampleDefaults(SoundSample* sample, const SampleDefaults& defaults);
    void setSampleMode(SoundSample* sample, int mode);
    // Plays with the sample's defaults on `channel` (-1: a free one).
    int playSample(int channel, SoundSample* sample, bool paused);

    // Channels; a number that names no current play is ignored (false).
    void stopChannel(int channel);
    void setPaused(int channel, bool paused);
    void setFrequency(int channel, int hz);
    void setVolume(int channel, int volume);
    void setPan(int channel, int pan);
    bool isPlaying(int channel);
    bool isPaused(int channel);
    // Source frames the play has passed so far; -1 when it is not current.
    int64_t playedFrames(int channel);

    // Streams: `mode` 0 and `length` 0 are the only forms supported.
    SoundStream* openStream(const char* path, int mode, int length);
    // A stream of the engine's own making (songs that render into the mix).
    SoundStream* openStream(std::unique_ptr<SoundDecoder> decoder);
    int playStream(int channel, SoundStream* stream, bool paused);
    void closeStream(SoundStream* stream);

    // Songs (music that plays itself).
    SoundSong* loadSong(const char* path);
    void freeSong(SoundSong* song);
    bool playSong(SoundSong* song);
    void stopSong(SoundSong* song);
    void setSongLooping(SoundSong* song, bool looping);
    void setSongPaused(SoundSong* song, bool paused);
    void setSongMasterVolume(SoundSong* song, int volume);
    bool isSongPlaying(SoundSong* song);

    // Mixes the next `frames` stereo frames into `out` (the output's pull,
    // and the offline render entry).
    void render(int16_t* out, int frames) override;

private:
    std::mutex lock_;
    SoundMixer mixer_;
    std::unique_ptr<SoundOutput> output_;
    const char* outputName_ = "";
    bool initialised_ = false;
    int flags_ = 0;
    std::set<SoundSample*> samples_;
    std::set<SoundStream*> streams_;
    std::set<SoundSong*> songs_;
};
