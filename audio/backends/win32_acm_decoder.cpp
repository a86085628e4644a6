// Decoding through the audio compression manager: compressed WAV data (any
// format tag an installed codec converts to PCM) and MP3 files (the MPEG
// layer III codec that Windows and Wine ship). The codec converts blocks of
// the file into 16-bit PCM, which read() hands out as it is asked for.
#include <windows.h>
#include <mmreg.h>
#include <msacm.h>

#include <cstring>
#include <vector>

#include "audio/engine/mp3_frame.h"
#include "audio/engine/sound_decoder.h"
#include "audio/engine/wav_format.h"

namespace {

constexpr DWORD kSourceBlock = 16384;

class Win32AcmDecoder : public SoundDecoder {
public:
    ~Win32AcmDecoder() override {
        if (prepared_) acmStreamUnprepareHeader(stream_, &header_, 0);
        if (stream_) acmStreamClose(stream_, 0);
        if (file_) std::fclose(file_);
    }

    // Opens the conversion of `source` data (`size` bytes at the file's
    // current position; -1: to the end) into 16-bit PCM.
    bool open(const WAVEFORMATEX* source, std::FILE* file, long size) {
        WAVEFORMATEX pcm{};
        pcm.wFormatTag = WAVE_FORMAT_PCM;
        pcm.wBitsPerSample = 16;
        if (acmFormatSuggest(nullptr, const_cast<WAVEFORMATEX*>(source), &pcm, sizeof pcm,
                             ACM_FORMATSUGGESTF_WFORMATTAG | ACM_FORMATSUGGESTF_WBITSPERSAMPLE) != 0)
            return false;
        if (pcm.nChannels < 1 || pcm.nChannels > 2 || pcm.wBitsPerSample != 16 ||
            static_cast<int>(pcm.nSamplesPerSec) < kMinSoundRate || static_cast<int>(pcm.nSamplesPerSec) > kMaxSoundRate)
            return false;
        if (acmStreamOpen(&stream_, nullptr, const_cast<WAVEFORMATEX*>(source), &pcm, nullptr, 0, 0,
                          ACM_STREAMOPENF_NONREALTIME) != 0) {
            stream_ = nullptr;
            return false;
        }
        DWORD outSize = 0;
        if (acmStreamSize(stream_, kSourceBlock, &outSize, ACM_STREAMSIZEF_SOURCE) != 0 || outSize == 0) return false;
        source_.resize(kSourceBlock);
        output_.resize(outSize + 4);
        header_.cbStruct = sizeof header_;
        header_.pbSrc = source_.data();
        header_.cbSrcLength = kSourceBlock;
        header_.pbDst = output_.data();
        header_.cbDstLength = outSize;
        if (acmStreamPrepareHeader(stream_, &header_, 0) != 0) return false;
        prepared_ = true;
        channels_ = pcm.nChannels;
        rate_ = static_cast<int>(pcm.nSamplesPerSec);
        remaining_ = size;
        file_ = file;
        return true;
    }

    int read(int16_t* out, int frames) override {
        int done = 0;
        while (done < frames) {
            if (pendingAt_ == pending_.size() && !convert()) break;
            size_t want = static_cast<size_t>(frames - done) * channels_;
            size_t n = std::min(want, pending_.size() - pendingAt_);
            std::memcpy(out + static_cast<size_t>(done) * channels_, pending_.data() + pendingAt_, n * 2);
            pendingAt_ += n;
            done += static_cast<int>(n / channels_);
        }
        return done;
    }

private:
    // Converts the next block into `pending_`; false at the end.
    bool convert() {
        pending_.clear();
        pendingAt_ = 0;
        while (pending_.empty()) {
            if (finished_) return false;
            DWORD space = kSourceBlock - held_;
            if (remaining_ >= 0 && static_cast<long>(space) > remaining_) space = static_cast<DWORD>(remaining_);
            size_t got = space ? std::fread(source_.data() + held_, 1, space, file_) : 0;
            if (remaining_ >= 0) remaining_ -= static_cast<long>(got);
            held_ += static_cast<DWORD>(got);
            bool last = got == 0;
            header_.cbSrcLength = held_;
            header_.cbDstLengthUsed = 0;
            header_.cbSrcLengthUsed = 0;
            DWORD flags = last ? ACM_STREAMCONVERTF_END : ACM_STREAMCONVERTF_BLOCKALIGN;
            if (acmStreamConvert(stream_, &header_, flags) != 0) return finished_ = true, false;
            DWORD used = std::min(header_.cbSrcLengthUsed, held_);
            std::memmove(source_.data(), source_.data() + used, held_ - used);
            held_ -= used;
            size_t values = header_.cbDstLengthUsed / 2;
            pending_.assign(reinterpret_cast<int16_t*>(output_.data()),
                            reinterpret_cast<int16_t*>(output_.data()) + values - values % channels_);
            // Nothing read, nothing used, nothing made: the data is done (or
            // the codec cannot go on).
            if (last || (used == 0 && values == 0 && held_ == kSourceBlock)) finished_ = true;
        }
        return true;
    }

    HACMSTREAM stream_ = nullptr;
    ACMSTREAMHEADER header_{};
    bool prepared_ = false;
    std::FILE* file_ = nullptr;
    long remaining_ = -1;
    std::vector<BYTE> source_;
    DWORD held_ = 0; // source bytes waiting in source_
    std::vector<BYTE> output_;
    std::vector<int16_t> pending_;
    size_t pendingAt_ = 0;
    bool finished_ = false;
};

std::unique_ptr<SoundDecoder> openCompressedWav(const WavFormat& format, std::FILE* file, uint32_t offset,
                                                uint32_t size) {
    // The format chunk as the codec expects it: a WAVEFORMATEX whose cbSize
    // says how many codec bytes follow.
    std::vector<uint8_t> raw = format.raw;
    if (raw.size() < sizeof(WAVEFORMATEX)) raw.resize(sizeof(WAVEFORMATEX), 0);
    auto* wfx = reinterpret_cast<WAVEFORMATEX*>(raw.data());
    size_t extra = raw.size() - sizeof(WAVEFORMATEX);
    if (wfx->cbSize > extra) wfx->cbSize = static_cast<WORD>(extra);
    if (std::fseek(file, static_cast<long>(offset), SEEK_SET) != 0) return nullptr;
    auto decoder = std::make_unique<Win32AcmDecoder>();
    if (!decoder->open(wfx, file, static_cast<long>(size))) return nullptr;
    return decoder;
}

std::unique_ptr<SoundDecoder> probeMp3(const DecoderInput& in, bool* refused) {
    Mp3Frame frame;
    long start = findMp3Start(in.file, &frame);
    if (start < 0) return nullptr;
    *refused = true;
    MPEGLAYER3WAVEFORMAT mp3{};
    mp3.wfx.wFormatTag = WAVE_FORMAT_MPEGLAYER3;
    mp3.wfx.nChannels = static_cast<WORD>(frame.channels);
    mp3.wfx.nSamplesPerSec = static_cast<DWORD>(frame.rate);
    mp3.wfx.nAvgBytesPerSec = static_cast<DWORD>(frame.bitrate / 8);
    mp3.wfx.nBlockAlign = 1;
    mp3.wfx.cbSize = MPEGLAYER3_WFX_EXTRA_BYTES;
    mp3.wID = MPEGLAYER3_ID_MPEG;
    mp3.fdwFlags = MPEGLAYER3_FLAG_PADDING_OFF;
    mp3.nBlockSize = static_cast<WORD>(frame.length - (frame.padded ? 1 : 0));
    mp3.nFramesPerBlock = 1;
    mp3.nCodecDelay = 1393;
    if (std::fseek(in.file, start, SEEK_SET) != 0) return nullptr;
    auto decoder = std::make_unique<Win32AcmDecoder>();
    if (!decoder->open(&mp3.wfx, in.file, -1)) return nullptr;
    *refused = false;
    return decoder;
}

const DecoderFormat mp3Format("mp3", 30, probeMp3);

// The WAV decoder hands its compressed formats here.
struct CompressedWavHook {
    CompressedWavHook() { setCompressedWavOpener(openCompressedWav); }
} compressedWavHook;

} // namespace
