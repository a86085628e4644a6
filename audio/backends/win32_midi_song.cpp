// MIDI songs (.mid, .rmi) on the default MIDI device through the Windows MIDI
// stream API: the file is read with our own parser, laid out as stream
// events in buffers of up to 64 KB, and queued. A watcher thread sees the
// last buffer come back and either queues them all again (looping) or marks
// the song finished. The device is opened when the song plays, so loading
// works on machines without MIDI output; playing there fails.
#include <windows.h>
#include <mmsystem.h>

#include <atomic>
#include <vector>

#include "audio/engine/midi_file.h"
#include "audio/engine/output_pump.h"
#include "audio/engine/sound_song.h"

namespace {

constexpr size_t kWordsPerBuffer = 3 * 5000; // 60 KB of events

class Win32MidiSong : public SoundSong {
public:
    explicit Win32MidiSong(MidiSong song) : song_(std::move(song)) {
        std::vector<uint32_t> words = midiStreamWords(song_);
        for (size_t at = 0; at < words.size(); at += kWordsPerBuffer) {
            size_t n = std::min(kWordsPerBuffer, words.size() - at);
            buffers_.emplace_back(words.begin() + at, words.begin() + at + n);
        }
        headers_.resize(buffers_.size());
    }
    ~Win32MidiSong() override { closeDevice(); }

    bool play() override {
        stop();
        if (!openDevice()) return false;
        if (!queueAll()) {
            closeDevice();
            return false;
        }
        playing_ = true;
        midiStreamRestart(stream_);
        return true;
    }

    void stop() override {
        playing_ = false;
        if (stream_) {
            watcher_.stop();
            midiStreamStop(stream_);
            midiOutReset(reinterpret_cast<HMIDIOUT>(stream_));
            unprepareAll();
            closeDevice();
        }
    }

    void setLooping(bool looping) override { looping_ = looping; }

    void setPaused(bool paused) override {
        if (!stream_) return;
        if (paused)
            midiStreamPause(stream_);
        else
            midiStreamRestart(stream_);
    }

    void setMasterVolume(int volume) override {
        volume_ = volume;
        applyVolume();
    }

    bool isPlaying() override { return playing_; }

private:
    bool openDevice() {
        UINT device = MIDI_MAPPER;
        if (midiStreamOpen(&stream_, &device, 1, 0, 0, CALLBACK_NULL) != MMSYSERR_NOERROR) {
            stream_ = nullptr;
            return false;
        }
        MIDIPROPTIMEDIV division{sizeof division, static_cast<DWORD>(song_.division)};
        midiStreamProperty(stream_, reinterpret_cast<LPBYTE>(&division), MIDIPROP_SET | MIDIPROP_TIMEDIV);
        applyVolume();
        watcher_.start([this] { watch(); }, 10);
        return true;
    }

    void closeDevice() {
        watcher_.stop();
        if (!stream_) return;
        midiStreamClose(stream_);
        stream_ = nullptr;
    }

    void applyVolume() {
        if (!stream_) return;
        DWORD level = static_cast<DWORD>(volume_ >= 256 ? 0xFFFF : volume_ * 256);
        midiOutSetVolume(reinterpret_cast<HMIDIOUT>(stream_), level | level << 16);
    }

    bool queueAll() {
        for (size_t i = 0; i < buffers_.size(); ++i) {
            MIDIHDR& h = headers_[i];
            h = MIDIHDR{};
            h.lpData = reinterpret_cast<LPSTR>(buffers_[i].data());
            h.dwBufferLength = h.dwBytesRecorded = static_cast<DWORD>(buffers_[i].size() * 4);
            HMIDIOUT out = reinterpret_cast<HMIDIOUT>(stream_);
            if (midiOutPrepareHeader(out, &h, sizeof h) != MMSYSERR_NOERROR) return false;
            if (midiStreamOut(stream_, &h, sizeof h) != MMSYSERR_NOERROR) return false;
        }
        return true;
    }

    void unprepareAll() {
        for (MIDIHDR& h : headers_)
            if (h.dwFlags & MHDR_PREPARED) midiOutUnprepareHeader(reinterpret_cast<HMIDIOUT>(stream_), &h, sizeof h);
    }

    // On the watcher thread: when every buffer came back, loop or finish.
    void watch() {
        if (!playing_) return;
        for (MIDIHDR& h : headers_)
            if (!(h.dwFlags & MHDR_DONE)) return;
        unprepareAll();
        if (looping_ && queueAll()) return;
        playing_ = false;
    }

    MidiSong song_;
    std::vector<std::vector<uint32_t>> buffers_;
    std::vector<MIDIHDR> headers_;
    HMIDISTRM stream_ = nullptr;
    std::atomic<bool> playing_{false};
    std::atomic<bool> looping_{false};
    int volume_ = 256;
    OutputPump watcher_;
};

std::unique_ptr<SoundSong> loadMidiSong(const char* path, const std::string& lowerName, SoundEngine&) {
    if (lowerName.find(".mid") == std::string::npos && lowerName.find(".rmi") == std::string::npos) return nullptr;
    MidiSong song;
    if (!loadMidiFile(path, &song) || song.events.empty()) return nullptr;
    return std::make_unique<Win32MidiSong>(std::move(song));
}

const SongFormat midiSongs("MIDI", loadMidiSong);

} // namespace
