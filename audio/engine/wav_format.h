// The WAVE file layout: the format chunk as read, and the hook through which
// a platform codec decodes the compressed formats that the engine itself does
// not (everything but integer PCM and IEEE float).
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

class SoundDecoder;

struct WavFormat {
    int tag = 0; // 1 PCM, 3 IEEE float, or a compressed format's tag
    int channels = 0;
    int rate = 0;
    int blockAlign = 0;
    int bits = 0;
    std::vector<uint8_t> raw; // the whole format chunk, for codecs
};

// Opens a decoder for a compressed data chunk of `size` bytes at `offset`
// in `file`; on success the decoder owns the file.
using CompressedWavOpener = std::unique_ptr<SoundDecoder> (*)(const WavFormat& format, std::FILE* file,
                                                               uint32_t offset, uint32_t size);
void setCompressedWavOpener(CompressedWavOpener opener);
