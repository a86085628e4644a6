// SoundDecoder: a source of 16-bit PCM frames read from a file, used whole
// (a sample is decoded completely at load) or piece by piece (a stream).
//
// Formats announce themselves once with a DecoderFormat registration: a
// probe that looks at the file's first bytes and its lower-cased name and,
// when it recognises the format, opens a decoder. Platform codecs (the audio
// compression manager) register from audio/backends/ the same way.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>

#include "audio/engine/pcm_buffer.h"

class SoundDecoder {
public:
    virtual ~SoundDecoder() = default;
    int channels() const { return channels_; }
    int rate() const { return rate_; }
    // Reads up to `frames` frames into `out` (frames * channels values);
    // returns the frames read, 0 at the end or on a decoding failure.
    virtual int read(int16_t* out, int frames) = 0;

protected:
    int channels_ = 1;
    int rate_ = 44100;
};

// What a probe sees: the first bytes of the file (fewer when it is short),
// the open file positioned at 0, and the name as given and lower-cased.
struct DecoderInput {
    const uint8_t* head;
    int headSize;
    std::FILE* file;
    const char* path;
    std::string lowerName;
};

// A probe takes the file when it recognises it: it returns a decoder (which
// then owns `file`), or null leaving the file open for the next probe. A
// probe that recognises its format but fails to decode it sets `refused` so
// no later probe tries the same bytes as something else.
using DecoderProbe = std::unique_ptr<SoundDecoder> (*)(const DecoderInput& input, bool* refused);

struct DecoderFormat {
    // Lower `order` probes first; the file is rewound before each probe.
    DecoderFormat(const char* name, int order, DecoderProbe probe);
    const char* name;
    int order;
    DecoderProbe probe;
    DecoderFormat* next;
};

// Opens `path` with the first format that takes it; null when none does.
std::unique_ptr<SoundDecoder> openSoundDecoder(const char* path);

// Decodes a whole file; false when it cannot be opened, decoded or is too long.
bool decodeSoundFile(const char* path, PcmBuffer* out);
