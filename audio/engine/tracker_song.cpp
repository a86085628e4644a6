// Tracker modules as music: the module is rendered at the engine's rate into
// a stream of the engine's own that plays on a channel like any other, so
// music mixes with the sounds and keeps time on the silent output too. The
// song owns the module; each play opens a fresh stream reading from it. The
// master volume is the channel's volume, so a change is heard at once, not
// after the frames the stream decoded ahead.
#include <algorithm>

#include "audio/engine/sound_decoder.h"
#include "audio/engine/sound_engine.h"
#include "audio/engine/sound_song.h"
#include "audio/engine/sound_stream.h"
#include "audio/engine/tracker_module.h"

namespace {

// The stream's view of a module the song owns.
class ModuleReader : public SoundDecoder {
public:
    explicit ModuleReader(TrackerModule* module) : module_(module) {
        channels_ = 2;
        rate_ = module->rate();
    }
    int read(int16_t* out, int frames) override { return frames > 0 ? module_->render(out, frames) : 0; }

private:
    TrackerModule* module_;
};

class TrackerSong : public SoundSong {
public:
    TrackerSong(SoundEngine& engine, std::unique_ptr<TrackerModule> module)
        : engine_(engine), module_(std::move(module)) {}
    ~TrackerSong() override { stop(); }

    bool play() override {
        stop();
        // No stream reads the module now, so it may start over.
        module_->restart();
        stream_ = engine_.openStream(std::make_unique<ModuleReader>(module_.get()));
        if (!stream_) return false;
        channel_ = engine_.playStream(-1, stream_, false);
        if (channel_ < 0) {
            stop();
            return false;
        }
        engine_.setVolume(channel_, channelVolume());
        return true;
    }

    void stop() override {
        if (stream_) engine_.closeStream(stream_);
        stream_ = nullptr;
        channel_ = -1;
    }

    void setLooping(bool looping) override { module_->setLooping(looping); }
    void setPaused(bool paused) override {
        if (stream_) engine_.setPaused(channel_, paused);
    }
    void setMasterVolume(int volume) override {
        volume_ = volume;
        if (stream_) engine_.setVolume(channel_, channelVolume());
    }
    bool isPlaying() override { return stream_ && engine_.isPlaying(channel_); }

private:
    // 0..256 onto the channel's 0..255, 256 (full) onto 255 (unchanged).
    int channelVolume() const { return (volume_ * 255 + 128) / 256; }

    SoundEngine& engine_;
    std::unique_ptr<TrackerModule> module_;
    SoundStream* stream_ = nullptr;
    int channel_ = -1;
    int volume_ = 256;
};

bool endsWith(const std::string& s, const char* tail) {
    size_t n = std::char_traits<char>::length(tail);
    return s.size() >= n && s.compare(s.size() - n, n, tail) == 0;
}

std::unique_ptr<SoundSong> loadTrackerSong(const char* path, const std::string& lowerName, SoundEngine& engine) {
    // DirectMusic segments are not played, whatever they hold.
    if (endsWith(lowerName, ".sgt")) return nullptr;
    std::vector<uint8_t> bytes;
    if (!TrackerModule::readFile(path, &bytes)) return nullptr;
    std::unique_ptr<TrackerModule> module = TrackerModule::load(bytes.data(), bytes.size(), engine.rate());
    if (!module) return nullptr;
    return std::make_unique<TrackerSong>(engine, std::move(module));
}

const SongFormat trackerSongs("tracker module", loadTrackerSong);

} // namespace
