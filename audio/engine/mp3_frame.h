// MPEG audio frame headers, for recognising MP3 files before handing them to
// a platform codec: where the first frame starts (after an ID3v2 tag), its
// rate, channels, bit rate and length.
#pragma once

#include <cstdint>
#include <cstdio>

struct Mp3Frame {
    int version = 1;   // 1 MPEG-1, 2 MPEG-2, 25 MPEG-2.5
    int rate = 0;      // Hz
    int channels = 0;  // 1 or 2
    int bitrate = 0;   // bits per second
    int length = 0;    // bytes, padding included
    bool padded = false;
};

// Reads a layer III frame header from 4 bytes; false when they are not one.
bool parseMp3Frame(const uint8_t* bytes, Mp3Frame* frame);

// Finds the first of two consecutive layer III frames within the first
// 64 KB after any ID3v2 tag; its offset, or -1 when the file is not MP3.
long findMp3Start(std::FILE* file, Mp3Frame* first);
