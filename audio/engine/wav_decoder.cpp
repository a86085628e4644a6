// WAVE files: integer PCM of 8, 16, 24 and 32 bits and IEEE float of 32 and
// 64 bits, any channel count up to 8 (the first two channels are kept) and
// any rate in the engine's range, converted to 16-bit frames while reading.
// Compressed formats go to the platform codec hook when one is set.
//
// Chunk sizes are checked against the file: a data chunk that claims more
// bytes than the file holds, a format chunk that is too short, or values out
// of range refuse the file.
#include <cmath>
#include <cstring>

#include "audio/engine/sound_decoder.h"
#include "audio/engine/wav_format.h"

namespace {

CompressedWavOpener compressedOpener = nullptr;

uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }
int le16(const uint8_t* p) { return p[0] | p[1] << 8; }

// Full scale is 32768, so 16-bit values stored as float come back exactly.
int16_t fromFloat(double x) {
    double v = std::nearbyint(x * 32768.0);
    if (!(v >= -32768.0)) return v != v ? 0 : -32768; // NaN gives silence
    return v > 32767.0 ? 32767 : static_cast<int16_t>(v);
}

class PcmWavDecoder : public SoundDecoder {
public:
    PcmWavDecoder(const WavFormat& f, std::FILE* file, uint32_t size)
        : file_(file), remaining_(size / f.blockAlign), fileChannels_(f.channels), bytes_(f.bits / 8),
          isFloat_(f.tag == 3) {
        channels_ = f.channels >= 2 ? 2 : 1;
        rate_ = f.rate;
    }
    ~PcmWavDecoder() override { std::fclose(file_); }

    int read(int16_t* out, int frames) override {
        int done = 0;
        const int frameBytes = fileChannels_ * bytes_;
        while (done < frames && remaining_ > 0) {
            int want = frames - done;
            if (static_cast<uint32_t>(want) > remaining_) want = static_cast<int>(remaining_);
            if (want > 4096) want = 4096;
            raw_.resize(static_cast<size_t>(want) * frameBytes);
            int got = static_cast<int>(std::fread(raw_.data(), frameBytes, want, file_));
            if (got <= 0) {
                remaining_ = 0;
                break;
            }
            for (int i = 0; i < got; ++i) {
                const uint8_t* frame = raw_.data() + static_cast<size_t>(i) * frameBytes;
                for (int c = 0; c < channels_; ++c) *out++ = convert(frame + c * bytes_);
            }
            done += got;
            remaining_ -= got;
        }
        return done;
    }

private:
    int16_t convert(const uint8_t* p) const {
        switch (bytes_) {
        case 1: return static_cast<int16_t>((p[0] - 128) * 256);
        case 2: return static_cast<int16_t>(le16(p));
        case 3: return static_cast<int16_t>(le16(p + 1));
        case 4:
            if (isFloat_) {
                float f;
                std::memcpy(&f, p, 4);
                return fromFloat(f);
            }
            return static_cast<int16_t>(le16(p + 2));
        default: {
            double d;
            std::memcpy(&d, p, 8);
            return fromFloat(d);
        }
        }
    }

    std::FILE* file_;
    uint32_t remaining_;
    int fileChannels_;
    int bytes_;
    bool isFloat_;
    std::vector<uint8_t> raw_;
};

bool plainFormatValid(const WavFormat& f) {
    if (f.tag == 1) {
        if (f.bits != 8 && f.bits != 16 && f.bits != 24 && f.bits != 32) return false;
    } else if (f.tag == 3) {
        if (f.bits != 32 && f.bits != 64) return false;
    } else {
        return false;
    }
    return f.channels >= 1 && f.channels <= 8 && f.blockAlign == f.channels * f.bits / 8;
}

bool readFormat(const std::vector<uint8_t>& chunk, WavFormat* f) {
    if (chunk.size() < 16) return false;
    const uint8_t* p = chunk.data();
    f->tag = le16(p);
    f->channels = le16(p + 2);
    f->rate = static_cast<int>(le32(p + 4) & 0x7FFFFFFF);
    f->blockAlign = le16(p + 12);
    f->bits = le16(p + 14);
    f->raw = chunk;
    // WAVE_FORMAT_EXTENSIBLE names the real format in its sub-format GUID.
    if (f->tag == 0xFFFE) {
        if (chunk.size() < 40) return false;
        f->tag = le16(p + 24);
    }
    return f->channels >= 1 && f->blockAlign >= 1 && f->rate >= kMinSoundRate && f->rate <= kMaxSoundRate;
}

std::unique_ptr<SoundDecoder> probeWav(const DecoderInput& in, bool* refused) {
    if (in.headSize < 12 || std::memcmp(in.head, "RIFF", 4) != 0 || std::memcmp(in.head + 8, "WAVE", 4) != 0)
        return nullptr;
    *refused = true;
    std::FILE* file = in.file;
    if (std::fseek(file, 0, SEEK_END) != 0) return nullptr;
    long fileSize = std::ftell(file);
    if (fileSize < 0 || std::fseek(file, 12, SEEK_SET) != 0) return nullptr;
    WavFormat format;
    bool haveFormat = false;
    long at = 12;
    uint8_t header[8];
    while (at + 8 <= fileSize && std::fread(header, 1, 8, file) == 8) {
        uint32_t size = le32(header + 4);
        long body = at + 8;
        if (size > static_cast<uint32_t>(fileSize - body)) return nullptr;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (size > 4096) return nullptr;
            std::vector<uint8_t> chunk(size);
            if (std::fread(chunk.data(), 1, size, file) != size || !readFormat(chunk, &format)) return nullptr;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0) {
            if (!haveFormat || size < static_cast<uint32_t>(format.blockAlign)) return nullptr;
            if (plainFormatValid(format)) {
                *refused = false;
                return std::make_unique<PcmWavDecoder>(format, file, size);
            }
            if (!compressedOpener) return nullptr;
            std::unique_ptr<SoundDecoder> decoder = compressedOpener(format, file, static_cast<uint32_t>(body), size);
            if (decoder) *refused = false;
            return decoder;
        }
        // Chunks are padded to an even size.
        at = body + size + (size & 1);
        if (std::fseek(file, at, SEEK_SET) != 0) return nullptr;
    }
    return nullptr;
}

const DecoderFormat wavFormat("wav", 10, probeWav);

} // namespace

void setCompressedWavOpener(CompressedWavOpener opener) { compressedOpener = opener; }
