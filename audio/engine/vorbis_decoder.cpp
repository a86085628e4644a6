// Ogg Vorbis files through stb_vorbis, decoded to 16-bit frames (more than
// two channels keep the first two). stb_vorbis checks every page and packet
// it reads, so a broken stream ends early instead of misbehaving. It works in
// a fixed arena of ours: a hostile header cannot make it allocate more, and
// since stb_vorbis frees nothing inside an arena, its clean-up after a
// failed open cannot free what it never allocated.
#include <cstring>
#include <new>

#include "audio/engine/sound_decoder.h"

#define STB_VORBIS_HEADER_ONLY
#include <stb/stb_vorbis.h>

namespace {

constexpr int kArenaBytes = 4 << 20;

class VorbisDecoder : public SoundDecoder {
public:
    VorbisDecoder(stb_vorbis* vorbis, const stb_vorbis_info& info, std::FILE* file, std::unique_ptr<char[]> arena)
        : vorbis_(vorbis), file_(file), arena_(std::move(arena)) {
        channels_ = info.channels >= 2 ? 2 : 1;
        rate_ = static_cast<int>(info.sample_rate);
    }
    ~VorbisDecoder() override {
        stb_vorbis_close(vorbis_);
        std::fclose(file_);
    }

    int read(int16_t* out, int frames) override {
        if (frames <= 0) return 0;
        return stb_vorbis_get_samples_short_interleaved(vorbis_, channels_, out, frames * channels_);
    }

private:
    stb_vorbis* vorbis_;
    std::FILE* file_;
    std::unique_ptr<char[]> arena_;
};

std::unique_ptr<SoundDecoder> probeVorbis(const DecoderInput& in, bool* refused) {
    if (in.headSize < 4 || std::memcmp(in.head, "OggS", 4) != 0) return nullptr;
    *refused = true;
    int error = 0;
    // stb_vorbis leaves the file open; the decoder closes it.
    std::unique_ptr<char[]> arena(new (std::nothrow) char[kArenaBytes]);
    if (!arena) return nullptr;
    stb_vorbis_alloc alloc{arena.get(), kArenaBytes};
    stb_vorbis* vorbis = stb_vorbis_open_file(in.file, 0, &error, &alloc);
    if (!vorbis) return nullptr;
    stb_vorbis_info info = stb_vorbis_get_info(vorbis);
    if (info.channels < 1 || static_cast<int>(info.sample_rate) < kMinSoundRate ||
        static_cast<int>(info.sample_rate) > kMaxSoundRate) {
        stb_vorbis_close(vorbis);
        return nullptr;
    }
    *refused = false;
    return std::make_unique<VorbisDecoder>(vorbis, info, in.file, std::move(arena));
}

const DecoderFormat vorbisFormat("ogg", 20, probeVorbis);

} // namespace
