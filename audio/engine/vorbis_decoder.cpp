// Ogg Vorbis files through stb_vorbis, decoded to 16-bit frames (more than
// two channels keep the first two). stb_vorbis checks every page and packet
// it reads, so a broken stream ends early instead of misbehaving. It works in
// a fixed arena of ours: a hostile header cannot make it allocate more, and
// since stb_vorbis frees nothing inside an arena, its clean-up after a
// failed open cannot free what it never allocated.
#include <cstring>
#include <new>
#include <vector>

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

// stb_vorbis cannot clean up after its comment list could not be allocated:
// it then walks the missing list as many times as the file's comment count
// says. A file whose comment header asks for more than kCommentRoom of the
// arena (vendor text and list), or claims more comments or longer ones than
// its bytes can hold, is refused before stb opens it. The header is the stream's second
// packet, gathered here from the pages' segment tables.
constexpr uint32_t kCommentRoom = 1 << 20;

bool commentHeaderFits(std::FILE* file) {
    std::vector<uint8_t> packet;
    int packets = 0;
    uint8_t page[27], lacing[255];
    while (packets < 2) {
        if (std::fread(page, 1, 27, file) != 27 || std::memcmp(page, "OggS", 4) != 0) return true; // stb decides
        int segments = page[26];
        if (std::fread(lacing, 1, static_cast<size_t>(segments), file) != static_cast<size_t>(segments)) return true;
        for (int i = 0; i < segments && packets < 2; ++i) {
            if (packets == 1) {
                size_t at = packet.size();
                packet.resize(at + lacing[i]);
                if (packet.size() > kCommentRoom * 2) return false;
                if (std::fread(packet.data() + at, 1, lacing[i], file) != lacing[i]) break;
            } else if (std::fseek(file, lacing[i], SEEK_CUR) != 0) {
                return true;
            }
            if (lacing[i] < 255) ++packets;
        }
        if (packets < 2 && std::feof(file)) break;
    }
    // "\x03vorbis", the vendor text and its length, the comment count: stb
    // refuses another packet by itself, but reads a count cut off by the
    // packet's end as a huge one.
    if (packet.empty() || packet[0] != 3) return true;
    if (packet.size() < 11) return false;
    auto le32 = [&](size_t at) {
        return packet[at] | packet[at + 1] << 8 | packet[at + 2] << 16 | static_cast<uint32_t>(packet[at + 3]) << 24;
    };
    uint32_t vendor = le32(7);
    if (vendor > kCommentRoom || 11 + vendor + 4 > packet.size()) return false;
    uint32_t count = le32(11 + vendor);
    size_t rest = packet.size() - (11 + vendor + 4);
    if (count > rest / 4 || vendor + uint64_t(count) * 8 > kCommentRoom) return false;
    // Each comment's length and text lie in the packet: stb takes a length
    // cut off by the packet's end, or one above 2 GB, as a negative size and
    // writes the text's terminator outside the room it took for it.
    size_t at = 11 + vendor + 4;
    for (uint32_t i = 0; i < count; ++i) {
        if (at + 4 > packet.size()) return false;
        uint32_t length = le32(at);
        if (length > packet.size() - at - 4) return false;
        at += 4 + length;
    }
    return true;
}

std::unique_ptr<SoundDecoder> probeVorbis(const DecoderInput& in, bool* refused) {
    if (in.headSize < 4 || std::memcmp(in.head, "OggS", 4) != 0) return nullptr;
    *refused = true;
    if (!commentHeaderFits(in.file) || std::fseek(in.file, 0, SEEK_SET) != 0) return nullptr;
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
