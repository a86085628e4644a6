// Tracker modules as sounds: a module loaded with LoadSound is rendered
// whole into a sample, one played as a stream is rendered while it plays.
// Either way it plays once, to where its order list wraps around.
#include "audio/engine/sound_decoder.h"
#include "audio/engine/tracker_module.h"

namespace {

constexpr int kRenderRate = 44100;

class TrackerDecoder : public SoundDecoder {
public:
    explicit TrackerDecoder(std::unique_ptr<TrackerModule> module) : module_(std::move(module)) {
        channels_ = 2;
        rate_ = module_->rate();
    }
    int read(int16_t* out, int frames) override { return frames > 0 ? module_->render(out, frames) : 0; }

private:
    std::unique_ptr<TrackerModule> module_;
};

std::unique_ptr<SoundDecoder> probeTracker(const DecoderInput& in, bool* refused) {
    std::vector<uint8_t> bytes;
    if (!TrackerModule::readAll(in.file, &bytes) || !TrackerModule::recognises(bytes.data(), bytes.size()))
        return nullptr;
    *refused = true;
    std::unique_ptr<TrackerModule> module = TrackerModule::load(bytes.data(), bytes.size(), kRenderRate);
    if (!module) return nullptr;
    *refused = false;
    // The module keeps what it needs: the decoder owns the file and is done with it.
    std::fclose(in.file);
    return std::make_unique<TrackerDecoder>(std::move(module));
}

// After WAV and Ogg, whose signatures are certain, and before MP3, whose
// frame search could find a false frame pair inside a module's sample data.
const DecoderFormat trackerFormat("module", 25, probeTracker);

} // namespace
