// Fuzz target: sound files through the engine's decoder list, as LoadSound
// and streamed music open them (WAV or Ogg Vorbis, by the formats built into
// the target). Input: one byte choosing the file name's extension, then the
// file's bytes. At most kMaxFrames frames are decoded: a few bytes of a
// compressed format can stand for hours of sound.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "audio/engine/sound_decoder.h"
#include "fuzz_file.h"

namespace {
constexpr int kMaxFrames = 1 << 18;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kExtensions[] = {".wav", ".ogg", ".WAV", ".snd"};
    if (size < 1) return 0;
    std::string path = writeFuzzFile(data + 1, size - 1, kExtensions[data[0] % 4]);
    if (path.empty()) return 0;
    std::unique_ptr<SoundDecoder> decoder = openSoundDecoder(path.c_str());
    if (!decoder) return 0;
    if (decoder->channels() < 1 || decoder->channels() > 2) __builtin_trap();
    // Pieces of changing sizes, as a stream asks for them.
    std::vector<int16_t> out(4096 * 2);
    int frames = 0, piece = 1;
    while (frames < kMaxFrames) {
        int got = decoder->read(out.data(), piece);
        if (got < 0 || got > piece) __builtin_trap();
        if (got == 0) break;
        frames += got;
        piece = piece * 3 % 4093 + 1;
    }
    return 0;
}
