// The format list and the two ways of using a decoder: opening a file with
// the first format that recognises it, and decoding a file whole.
#include "audio/engine/sound_decoder.h"

#include <algorithm>
#include <cctype>

namespace {

DecoderFormat*& formatList() {
    static DecoderFormat* head = nullptr;
    return head;
}

} // namespace

DecoderFormat::DecoderFormat(const char* name, int order, DecoderProbe probe)
    : name(name), order(order), probe(probe), next(nullptr) {
    // Keep the list sorted by order, whatever order static objects appear in.
    DecoderFormat** p = &formatList();
    while (*p && (*p)->order <= order) p = &(*p)->next;
    next = *p;
    *p = this;
}

std::unique_ptr<SoundDecoder> openSoundDecoder(const char* path) {
    if (!path || !*path) return nullptr;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return nullptr;
    uint8_t head[64];
    int headSize = static_cast<int>(std::fread(head, 1, sizeof head, file));
    DecoderInput input{head, headSize, file, path, path};
    std::transform(input.lowerName.begin(), input.lowerName.end(), input.lowerName.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (DecoderFormat* f = formatList(); f; f = f->next) {
        if (std::fseek(file, 0, SEEK_SET) != 0) break;
        bool refused = false;
        std::unique_ptr<SoundDecoder> decoder = f->probe(input, &refused);
        if (decoder) return decoder;
        if (refused) break;
    }
    std::fclose(file);
    return nullptr;
}

bool decodeSoundFile(const char* path, PcmBuffer* out) {
    std::unique_ptr<SoundDecoder> decoder = openSoundDecoder(path);
    if (!decoder) return false;
    PcmBuffer pcm;
    pcm.channels = decoder->channels();
    pcm.rate = decoder->rate();
    const int block = 16384;
    int64_t total = 0;
    for (;;) {
        size_t at = pcm.data.size();
        pcm.data.resize(at + static_cast<size_t>(block) * pcm.channels);
        int got = decoder->read(pcm.data.data() + at, block);
        pcm.data.resize(at + static_cast<size_t>(got) * pcm.channels);
        total += got;
        if (total > kMaxDecodedFrames) return false;
        if (got == 0) break;
    }
    if (total == 0) return false;
    pcm.data.shrink_to_fit();
    *out = std::move(pcm);
    return true;
}
