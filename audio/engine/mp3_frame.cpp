#include "audio/engine/mp3_frame.h"

#include <vector>

namespace {

const int kBitrates[2][16] = {
    // MPEG-1 layer III, then MPEG-2 and 2.5 layer III, in kbit/s.
    {0, 32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 0},
    {0, 8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160, 0},
};
const int kRates[3] = {44100, 48000, 32000};

} // namespace

bool parseMp3Frame(const uint8_t* b, Mp3Frame* f) {
    if (b[0] != 0xFF || (b[1] & 0xE0) != 0xE0) return false;
    int versionBits = (b[1] >> 3) & 3, layerBits = (b[1] >> 1) & 3;
    int bitrateIndex = b[2] >> 4, rateIndex = (b[2] >> 2) & 3;
    if (versionBits == 1 || layerBits != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    f->version = versionBits == 3 ? 1 : versionBits == 2 ? 2 : 25;
    f->rate = kRates[rateIndex] / (f->version == 1 ? 1 : f->version == 2 ? 2 : 4);
    f->bitrate = kBitrates[f->version == 1 ? 0 : 1][bitrateIndex] * 1000;
    f->padded = (b[2] >> 1) & 1;
    f->channels = (b[3] >> 6) == 3 ? 1 : 2;
    int perFrame = f->version == 1 ? 144 : 72;
    f->length = perFrame * f->bitrate / f->rate + (f->padded ? 1 : 0);
    return f->length >= 4;
}

long findMp3Start(std::FILE* file, Mp3Frame* first) {
    uint8_t tag[10];
    long start = 0;
    if (std::fseek(file, 0, SEEK_SET) != 0) return -1;
    if (std::fread(tag, 1, 10, file) == 10 && tag[0] == 'I' && tag[1] == 'D' && tag[2] == '3') {
        // The tag's size is four 7-bit bytes, after its 10-byte header.
        start = 10 + ((tag[6] & 0x7F) << 21 | (tag[7] & 0x7F) << 14 | (tag[8] & 0x7F) << 7 | (tag[9] & 0x7F));
        if (tag[5] & 0x10) start += 10; // footer
    }
    std::vector<uint8_t> window(65536 + 4096);
    if (std::fseek(file, start, SEEK_SET) != 0) return -1;
    size_t got = std::fread(window.data(), 1, window.size(), file);
    for (size_t i = 0; i + 4 <= got && i < 65536; ++i) {
        Mp3Frame f, next;
        if (!parseMp3Frame(&window[i], &f)) continue;
        size_t after = i + static_cast<size_t>(f.length);
        // The next frame must follow with the same rate and channels, or the
        // data must end right after this one.
        bool confirmed = after + 4 <= got ? parseMp3Frame(&window[after], &next) && next.rate == f.rate &&
                                                next.channels == f.channels
                                          : after == got;
        if (!confirmed) continue;
        *first = f;
        return start + static_cast<long>(i);
    }
    return -1;
}
