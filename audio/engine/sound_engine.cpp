#include "audio/engine/sound_engine.h"

#include <algorithm>

#include "audio/engine/sound_decoder.h"
#include "audio/engine/sound_song.h"
#include "audio/engine/sound_stream.h"

SoundEngine::~SoundEngine() { close(); }

bool SoundEngine::init(int rate, int channels, int flags, Output output) {
    if (initialised_) return true;
    if (rate < kMinSoundRate || rate > kMaxSoundRate || channels < 1 || channels > SoundMixer::kMaxChannels)
        return false;
    mixer_.setup(rate, channels);
    flags_ = flags;
    if (output == Output::Device) {
        for (SoundOutputKind* kind = firstSoundOutputKind(); kind && !output_; kind = kind->next) {
            std::unique_ptr<SoundOutput> candidate = kind->create();
            if (candidate && candidate->open(rate, this)) {
                output_ = std::move(candidate);
                outputName_ = kind->name;
            }
        }
        if (!output_) return false;
    }
    initialised_ = true;
    return true;
}

void SoundEngine::close() {
    if (output_) output_->close();
    output_.reset();
    outputName_ = "";
    for (SoundSong* song : songs_) delete song;
    for (SoundStream* stream : streams_) delete stream;
    for (SoundSample* sample : samples_) delete sample;
    songs_.clear();
    streams_.clear();
    samples_.clear();
    mixer_.setup(mixer_.rate(), 1);
    initialised_ = false;
}

void SoundEngine::render(int16_t* out, int frames) {
    std::lock_guard<std::mutex> hold(lock_);
    mixer_.mix(out, frames);
}

SoundSample* SoundEngine::loadSample(int index, const char* path, int mode, int offset) {
    if (!initialised_ || index != -1 || offset != 0) return nullptr;
    PcmBuffer pcm;
    if (!decodeSoundFile(path, &pcm)) return nullptr;
    auto* sample = new SoundSample(std::move(pcm));
    sample->setMode(mode);
    samples_.insert(sample);
    return sample;
}

void SoundEngine::freeSample(SoundSample* sample) {
    if (!samples_.erase(sample)) return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        for (int i = 0; i < mixer_.channelCount(); ++i)
            if (mixer_.at(i).sample == sample) mixer_.stop(mixer_.at(i));
    }
    delete sample;
}

SampleDefaults SoundEngine::sampleDefaults(SoundSample* sample) { return sample->defaults; }

void SoundEngine::setSampleDefaults(SoundSample* sample, const SampleDefaults& d) {
    sample->defaults.frequency = std::clamp(d.frequency, 0, SoundMixer::kMaxFrequency);
    sample->defaults.volume = std::clamp(d.volume, 0, 255);
    sample->defaults.pan = std::clamp(d.pan, 0, 255);
    sample->defaults.priority = std::clamp(d.priority, 0, 255);
}

void SoundEngine::setSampleMode(SoundSample* sample, int mode) {
    std::lock_guard<std::mutex> hold(lock_);
    sample->setMode(mode);
}

int SoundEngine::playSample(int channel, SoundSample* sample, bool paused) {
    if (!initialised_ || !samples_.count(sample)) return -1;
    std::lock_guard<std::mutex> hold(lock_);
    int number = mixer_.claim(channel, sample->defaults.priority);
    if (number < 0) return -1;
    MixChannel& c = mixer_.at(number & 0xFFF);
    c.sample = sample;
    c.paused = paused;
    c.frequency = sample->defaults.frequency;
    c.volume = sample->defaults.volume;
    c.pan = sample->defaults.pan;
    c.priority = sample->defaults.priority;
    return number;
}

void SoundEngine::stopChannel(int channel) {
    std::lock_guard<std::mutex> hold(lock_);
    if (MixChannel* c = mixer_.find(channel)) mixer_.stop(*c);
}

void SoundEngine::setPaused(int channel, bool paused) {
    std::lock_guard<std::mutex> hold(lock_);
    if (MixChannel* c = mixer_.find(channel)) c->paused = paused;
}

void SoundEngine::setFrequency(int channel, int hz) {
    std::lock_guard<std::mutex> hold(lock_);
    if (MixChannel* c = mixer_.find(channel)) c->frequency = std::clamp(hz, 0, SoundMixer::kMaxFrequency);
}

void SoundEngine::setVolume(int channel, int volume) {
    std::lock_guard<std::mutex> hold(lock_);
    if (MixChannel* c = mixer_.find(channel)) c->volume = std::clamp(volume, 0, 255);
}

void SoundEngine::setPan(int channel, int pan) {
    std::lock_guard<std::mutex> hold(lock_);
    if (MixChannel* c = mixer_.find(channel)) c->pan = std::clamp(pan, 0, 255);
}

bool SoundEngine::isPlaying(int channel) {
    std::lock_guard<std::mutex> hold(lock_);
    MixChannel* c = mixer_.find(channel);
    return c && c->active;
}

bool SoundEngine::isPaused(int channel) {
    std::lock_guard<std::mutex> hold(lock_);
    MixChannel* c = mixer_.find(channel);
    return c && c->active && c->paused;
}

int64_t SoundEngine::playedFrames(int channel) {
    std::lock_guard<std::mutex> hold(lock_);
    MixChannel* c = mixer_.find(channel);
    return c && c->active ? static_cast<int64_t>(c->position >> 32) : -1;
}

SoundStream* SoundEngine::openStream(const char* path, int mode, int length) {
    if (!initialised_ || mode != 0 || length != 0) return nullptr;
    return openStream(openSoundDecoder(path));
}

SoundStream* SoundEngine::openStream(std::unique_ptr<SoundDecoder> decoder) {
    if (!initialised_ || !decoder) return nullptr;
    auto* stream = new SoundStream(std::move(decoder));
    if (stream->mixable() == 0 && stream->ended()) {
        delete stream;
        return nullptr;
    }
    streams_.insert(stream);
    return stream;
}

int SoundEngine::playStream(int channel, SoundStream* stream, bool paused) {
    if (!initialised_ || !streams_.count(stream)) return -1;
    std::lock_guard<std::mutex> hold(lock_);
    // A stream has one position: playing it again moves it to the new channel.
    if (MixChannel* old = mixer_.find(stream->channel)) mixer_.stop(*old);
    int number = mixer_.claim(channel, 256);
    if (number < 0) return -1;
    MixChannel& c = mixer_.at(number & 0xFFF);
    c.stream = stream;
    c.paused = paused;
    c.frequency = stream->rate();
    c.priority = 256;
    stream->channel = number;
    return number;
}

void SoundEngine::closeStream(SoundStream* stream) {
    if (!streams_.erase(stream)) return;
    {
        std::lock_guard<std::mutex> hold(lock_);
        if (MixChannel* c = mixer_.find(stream->channel)) mixer_.stop(*c);
    }
    delete stream;
}

SoundSong* SoundEngine::loadSong(const char* path) {
    if (!initialised_) return nullptr;
    std::unique_ptr<SoundSong> song = loadSoundSong(path, *this);
    if (!song) return nullptr;
    songs_.insert(song.get());
    return song.release();
}

void SoundEngine::freeSong(SoundSong* song) {
    if (!songs_.erase(song)) return;
    song->stop();
    delete song;
}

bool SoundEngine::playSong(SoundSong* song) { return songs_.count(song) && song->play(); }

void SoundEngine::stopSong(SoundSong* song) {
    if (songs_.count(song)) song->stop();
}

void SoundEngine::setSongLooping(SoundSong* song, bool looping) {
    if (songs_.count(song)) song->setLooping(looping);
}

void SoundEngine::setSongPaused(SoundSong* song, bool paused) {
    if (songs_.count(song)) song->setPaused(paused);
}

void SoundEngine::setSongMasterVolume(SoundSong* song, int volume) {
    if (songs_.count(song)) song->setMasterVolume(std::clamp(volume, 0, 256));
}

bool SoundEngine::isSongPlaying(SoundSong* song) { return songs_.count(song) && song->isPlaying(); }
