// The sound files the audio tests read (made before the tests by
// make_test_sounds.sh into audio_data/ beside the test's working directory),
// and the raw twins that say what their samples are.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

inline std::string soundFile(const char* name) { return std::string("audio_data/") + name; }

// The 16-bit little-endian values of a raw twin; empty when it is missing.
inline std::vector<int16_t> rawSamples(const char* name) {
    std::vector<int16_t> values;
    if (std::FILE* f = std::fopen(soundFile(name).c_str(), "rb")) {
        uint8_t b[2];
        while (std::fread(b, 1, 2, f) == 2) values.push_back(static_cast<int16_t>(b[0] | b[1] << 8));
        std::fclose(f);
    }
    return values;
}

inline std::vector<uint8_t> rawBytes(const char* name) {
    std::vector<uint8_t> bytes;
    if (std::FILE* f = std::fopen(soundFile(name).c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}

inline void writeBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fwrite(bytes.data(), 1, bytes.size(), f);
    std::fclose(f);
}
