// The DirectSound output: a looping secondary buffer of 16-bit stereo at the
// engine's rate, kept filled about 25 ms ahead of the play cursor by the
// output pump, so a sound started now reaches the buffer within one pump
// period (5 ms) and is heard about 25 ms later. Tried first.
#include <windows.h>
#include <mmsystem.h>
#include <dsound.h>

#include <cstring>
#include <vector>

#include "audio/backends/win32_output_format.h"
#include "audio/engine/output_pump.h"
#include "audio/engine/sound_output.h"

namespace {

constexpr int kBufferMs = 200;
constexpr int kAheadMs = 25;

class Win32DirectSoundOutput : public SoundOutput {
public:
    ~Win32DirectSoundOutput() override { close(); }

    bool open(int rate, SoundRenderer* renderer) override {
        if (FAILED(DirectSoundCreate(nullptr, &ds_, nullptr))) return false;
        if (FAILED(ds_->SetCooperativeLevel(GetDesktopWindow(), DSSCL_NORMAL))) return fail();
        WAVEFORMATEX format = stereo16Format(rate);
        frames_ = rate * kBufferMs / 1000;
        ahead_ = rate * kAheadMs / 1000;
        DSBUFFERDESC desc{};
        desc.dwSize = sizeof desc;
        desc.dwFlags = DSBCAPS_GETCURRENTPOSITION2 | DSBCAPS_GLOBALFOCUS;
        desc.dwBufferBytes = frames_ * 4;
        desc.lpwfxFormat = &format;
        if (FAILED(ds_->CreateSoundBuffer(&desc, &buffer_, nullptr))) return fail();
        if (!write(0, nullptr, frames_) || FAILED(buffer_->Play(0, 0, DSBPLAY_LOOPING))) return fail();
        written_ = 0;
        renderer_ = renderer;
        scratch_.resize(static_cast<size_t>(frames_) * 2);
        pump_.start([this] { step(); }, 5);
        return true;
    }

    void close() override {
        pump_.stop();
        if (buffer_) {
            buffer_->Stop();
            buffer_->Release();
            buffer_ = nullptr;
        }
        if (ds_) {
            ds_->Release();
            ds_ = nullptr;
        }
    }

private:
    bool fail() {
        close();
        return false;
    }

    // Tops the buffer up to kAheadMs beyond the play cursor.
    void step() {
        DWORD play = 0, writeCursor = 0;
        if (FAILED(buffer_->GetCurrentPosition(&play, &writeCursor))) return;
        int playFrame = static_cast<int>(play / 4);
        int queued = (written_ - playFrame + frames_) % frames_;
        // Fell behind (the cursor passed what was written): start again at it.
        if (queued > frames_ - ahead_) {
            written_ = playFrame;
            queued = 0;
        }
        int want = ahead_ - queued;
        if (want <= 0) return;
        renderer_->render(scratch_.data(), want);
        if (write(written_, scratch_.data(), want)) written_ = (written_ + want) % frames_;
    }

    // Copies `count` frames (null: silence) into the ring at frame `at`.
    bool write(int at, const int16_t* frames, int count) {
        void *p1 = nullptr, *p2 = nullptr;
        DWORD n1 = 0, n2 = 0;
        HRESULT hr = buffer_->Lock(at * 4, count * 4, &p1, &n1, &p2, &n2, 0);
        if (hr == DSERR_BUFFERLOST) {
            buffer_->Restore();
            hr = buffer_->Lock(at * 4, count * 4, &p1, &n1, &p2, &n2, 0);
        }
        if (FAILED(hr)) return false;
        const uint8_t* src = reinterpret_cast<const uint8_t*>(frames);
        if (src) {
            std::memcpy(p1, src, n1);
            if (p2) std::memcpy(p2, src + n1, n2);
        } else {
            std::memset(p1, 0, n1);
            if (p2) std::memset(p2, 0, n2);
        }
        buffer_->Unlock(p1, n1, p2, n2);
        return true;
    }

    IDirectSound* ds_ = nullptr;
    IDirectSoundBuffer* buffer_ = nullptr;
    SoundRenderer* renderer_ = nullptr;
    int frames_ = 0;  // ring size
    int ahead_ = 0;   // frames to keep queued
    int written_ = 0; // next frame to write
    std::vector<int16_t> scratch_;
    OutputPump pump_;
};

std::unique_ptr<SoundOutput> createDirectSoundOutput() { return std::make_unique<Win32DirectSoundOutput>(); }

const SoundOutputKind directSoundOutput("DirectSound", 10, createDirectSoundOutput);

} // namespace
