// The silent output: used when no sound device opens. It mixes in real time
// and throws the result away, so channels advance and end on time
// (ChannelPlaying stays truthful) and programs run unchanged on machines
// without sound. Always opens, so it is tried last.
#include <chrono>
#include <vector>

#include "audio/engine/output_pump.h"
#include "audio/engine/sound_output.h"

namespace {

class SilentOutput : public SoundOutput {
public:
    bool open(int rate, SoundRenderer* renderer) override {
        start_ = Clock::now();
        mixed_ = 0;
        pump_.start([this, rate, renderer] { step(rate, renderer); }, 2);
        return true;
    }

    void close() override { pump_.stop(); }

private:
    using Clock = std::chrono::steady_clock;

    // Mixes every frame that the clock says is due by now.
    void step(int rate, SoundRenderer* renderer) {
        int64_t elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start_).count();
        int64_t due = elapsed * rate / 1'000'000;
        while (mixed_ < due) {
            int n = static_cast<int>(std::min<int64_t>(kBlock, due - mixed_));
            renderer->render(scratch_, n);
            mixed_ += n;
        }
    }

    static constexpr int kBlock = 512;
    int16_t scratch_[kBlock * 2];
    Clock::time_point start_;
    int64_t mixed_ = 0;
    OutputPump pump_;
};

std::unique_ptr<SoundOutput> createSilentOutput() { return std::make_unique<SilentOutput>(); }

const SoundOutputKind silentOutput("silent", 1000, createSilentOutput);

} // namespace
