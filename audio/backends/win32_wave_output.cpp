// The WinMM wave output, used when DirectSound does not open: four wave
// headers of 10 ms each cycle through the device; the output pump refills
// every header the device has finished with.
#include <windows.h>
#include <mmsystem.h>

#include <vector>

#include "audio/backends/win32_output_format.h"
#include "audio/engine/output_pump.h"
#include "audio/engine/sound_output.h"

namespace {

constexpr int kHeaders = 4;
constexpr int kHeaderMs = 10;

class Win32WaveOutput : public SoundOutput {
public:
    ~Win32WaveOutput() override { close(); }

    bool open(int rate, SoundRenderer* renderer) override {
        WAVEFORMATEX format = stereo16Format(rate);
        if (waveOutOpen(&device_, WAVE_MAPPER, &format, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            device_ = nullptr;
            return false;
        }
        renderer_ = renderer;
        frames_ = rate * kHeaderMs / 1000;
        for (int i = 0; i < kHeaders; ++i) {
            blocks_[i].assign(static_cast<size_t>(frames_) * 2, 0);
            WAVEHDR& h = headers_[i];
            h = WAVEHDR{};
            h.lpData = reinterpret_cast<LPSTR>(blocks_[i].data());
            h.dwBufferLength = frames_ * 4;
            if (waveOutPrepareHeader(device_, &h, sizeof h) != MMSYSERR_NOERROR) {
                close();
                return false;
            }
            // Marked done, so the first step fills and queues every header.
            h.dwFlags |= WHDR_DONE;
        }
        pump_.start([this] { step(); }, 2);
        return true;
    }

    void close() override {
        pump_.stop();
        if (!device_) return;
        waveOutReset(device_);
        for (WAVEHDR& h : headers_)
            if (h.dwFlags & WHDR_PREPARED) waveOutUnprepareHeader(device_, &h, sizeof h);
        waveOutClose(device_);
        device_ = nullptr;
    }

private:
    // Refills and queues each header the device gave back, oldest first
    // (the device returns them in the order they were queued).
    void step() {
        while (headers_[next_].dwFlags & WHDR_DONE) {
            WAVEHDR& h = headers_[next_];
            renderer_->render(reinterpret_cast<int16_t*>(h.lpData), frames_);
            h.dwFlags &= ~WHDR_DONE;
            if (waveOutWrite(device_, &h, sizeof h) != MMSYSERR_NOERROR) return;
            next_ = (next_ + 1) % kHeaders;
        }
    }

    HWAVEOUT device_ = nullptr;
    SoundRenderer* renderer_ = nullptr;
    int frames_ = 0;
    int next_ = 0;
    WAVEHDR headers_[kHeaders] = {};
    std::vector<int16_t> blocks_[kHeaders];
    OutputPump pump_;
};

std::unique_ptr<SoundOutput> createWaveOutput() { return std::make_unique<Win32WaveOutput>(); }

const SoundOutputKind waveOutput("WinMM", 20, createWaveOutput);

} // namespace
