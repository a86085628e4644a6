// The silent output: used when no sound device opens. A thread of its own
// mixes in real time and throws the result away, so channels advance and end
// on time (ChannelPlaying stays truthful) and programs run unchanged on
// machines without sound. Always opens, so it is tried last.
#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "audio/engine/sound_output.h"

namespace {

class SilentOutput : public SoundOutput {
public:
    bool open(int rate, SoundRenderer* renderer) override {
        running_ = true;
        thread_ = std::thread([this, rate, renderer] { run(rate, renderer); });
        return true;
    }

    void close() override {
        running_ = false;
        if (thread_.joinable()) thread_.join();
    }

    ~SilentOutput() override { close(); }

private:
    void run(int rate, SoundRenderer* renderer) {
        using Clock = std::chrono::steady_clock;
        const int block = 512;
        std::vector<int16_t> scratch(block * 2);
        Clock::time_point start = Clock::now();
        int64_t mixed = 0;
        while (running_) {
            int64_t elapsed = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start).count();
            int64_t due = elapsed * rate / 1'000'000;
            while (mixed < due && running_) {
                int n = static_cast<int>(std::min<int64_t>(block, due - mixed));
                renderer->render(scratch.data(), n);
                mixed += n;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
    }

    std::atomic<bool> running_{false};
    std::thread thread_;
};

std::unique_ptr<SoundOutput> createSilentOutput() { return std::make_unique<SilentOutput>(); }

const SoundOutputKind silentOutput("silent", 1000, createSilentOutput);

} // namespace
