#include "audio/engine/midi_file.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

constexpr size_t kMaxMidiFileBytes = 64u << 20;

uint32_t be32(const uint8_t* p) { return static_cast<uint32_t>(p[0]) << 24 | p[1] << 16 | p[2] << 8 | p[3]; }
uint32_t le32(const uint8_t* p) { return p[0] | p[1] << 8 | p[2] << 16 | static_cast<uint32_t>(p[3]) << 24; }

class TrackReader {
public:
    TrackReader(const uint8_t* at, const uint8_t* end) : p_(at), end_(end) {}
    bool atEnd() const { return p_ >= end_; }
    bool byte(uint8_t* out) {
        if (p_ >= end_) return false;
        *out = *p_++;
        return true;
    }
    // A variable-length quantity of at most four bytes.
    bool number(uint32_t* out) {
        uint32_t v = 0;
        for (int i = 0; i < 4; ++i) {
            uint8_t b;
            if (!byte(&b)) return false;
            v = v << 7 | (b & 0x7F);
            if (!(b & 0x80)) {
                *out = v;
                return true;
            }
        }
        return false;
    }
    bool skip(uint32_t n) {
        if (n > static_cast<size_t>(end_ - p_)) return false;
        p_ += n;
        return true;
    }
    const uint8_t* here() const { return p_; }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

// Bytes that follow a channel status: 1 for program change and channel
// pressure, else 2.
int dataBytes(uint8_t status) {
    uint8_t kind = status & 0xF0;
    return kind == 0xC0 || kind == 0xD0 ? 1 : 2;
}

bool readTrack(const uint8_t* at, const uint8_t* end, std::vector<MidiEvent>* events) {
    TrackReader r(at, end);
    uint32_t tick = 0;
    uint8_t running = 0;
    while (!r.atEnd()) {
        uint32_t delta;
        uint8_t b;
        if (!r.number(&delta) || !r.byte(&b)) return false;
        if (delta > 0x0FFFFFFF || tick + delta < tick) return false;
        tick += delta;
        if (b == 0xFF) {
            uint8_t type;
            uint32_t length;
            if (!r.byte(&type) || !r.number(&length)) return false;
            const uint8_t* data = r.here();
            if (!r.skip(length)) return false;
            if (type == 0x2F) return true;
            if (type == 0x51 && length == 3) {
                uint32_t tempo = data[0] << 16 | data[1] << 8 | data[2];
                if (tempo) events->push_back({tick, true, tempo});
            }
            continue;
        }
        if (b == 0xF0 || b == 0xF7) {
            uint32_t length;
            if (!r.number(&length) || !r.skip(length)) return false;
            running = 0;
            continue;
        }
        uint32_t message;
        if (b & 0x80) {
            if (b >= 0xF0) return false; // no other system messages in files
            running = b;
            uint8_t d1 = 0, d2 = 0;
            if (!r.byte(&d1) || (dataBytes(b) == 2 && !r.byte(&d2))) return false;
            message = b | (d1 & 0x7F) << 8 | (d2 & 0x7F) << 16;
        } else {
            if (!running) return false;
            uint8_t d2 = 0;
            if (dataBytes(running) == 2 && !r.byte(&d2)) return false;
            message = running | (b & 0x7F) << 8 | (d2 & 0x7F) << 16;
        }
        events->push_back({tick, false, message});
        if (events->size() > static_cast<size_t>(kMaxMidiEvents)) return false;
    }
    // A track without an end-of-track event ends with its chunk.
    return true;
}

} // namespace

bool parseMidiFile(const std::vector<uint8_t>& bytes, MidiSong* song) {
    const uint8_t* p = bytes.data();
    size_t size = bytes.size();
    // An .rmi file holds the MIDI file in its "data" chunk.
    if (size >= 12 && std::memcmp(p, "RIFF", 4) == 0 && std::memcmp(p + 8, "RMID", 4) == 0) {
        size_t at = 12;
        bool found = false;
        while (at + 8 <= size) {
            uint32_t length = le32(p + at + 4);
            if (length > size - at - 8) return false;
            if (std::memcmp(p + at, "data", 4) == 0) {
                p += at + 8;
                size = length;
                found = true;
                break;
            }
            at += 8 + length + (length & 1);
        }
        if (!found) return false;
    }
    if (size < 14 || std::memcmp(p, "MThd", 4) != 0) return false;
    uint32_t headerLength = be32(p + 4);
    if (headerLength < 6 || headerLength > size - 8) return false;
    int format = p[8] << 8 | p[9];
    int tracks = p[10] << 8 | p[11];
    int division = p[12] << 8 | p[13];
    if (format > 1 || tracks < 1 || (format == 0 && tracks != 1)) return false;
    MidiSong result;
    if (division & 0x8000) {
        // SMPTE: frames per second times ticks per frame make ticks per second.
        int fps = 256 - (division >> 8);
        int perFrame = division & 0xFF;
        if (fps <= 0 || perFrame == 0) return false;
        result.division = fps * perFrame;
        result.events.push_back({0, true, 1'000'000});
    } else {
        if (division == 0) return false;
        result.division = division;
    }
    size_t at = 8 + headerLength;
    for (int t = 0; t < tracks; ++t) {
        // Chunks other than tracks are skipped.
        for (;;) {
            if (at + 8 > size) return false;
            uint32_t length = be32(p + at + 4);
            if (length > size - at - 8) return false;
            bool isTrack = std::memcmp(p + at, "MTrk", 4) == 0;
            const uint8_t* body = p + at + 8;
            at += 8 + length;
            if (!isTrack) continue;
            if (!readTrack(body, body + length, &result.events)) return false;
            break;
        }
    }
    // Tracks merged by time; at equal times the earlier track goes first.
    std::stable_sort(result.events.begin(), result.events.end(),
                     [](const MidiEvent& a, const MidiEvent& b) { return a.tick < b.tick; });
    *song = std::move(result);
    return true;
}

bool loadMidiFile(const char* path, MidiSong* song) {
    std::FILE* f = std::fopen(path, "rb");
    if (!f) return false;
    std::vector<uint8_t> bytes;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    long size = ok ? std::ftell(f) : -1;
    if (size > 0 && static_cast<size_t>(size) <= kMaxMidiFileBytes && std::fseek(f, 0, SEEK_SET) == 0) {
        bytes.resize(static_cast<size_t>(size));
        ok = std::fread(bytes.data(), 1, bytes.size(), f) == bytes.size();
    } else {
        ok = false;
    }
    std::fclose(f);
    return ok && parseMidiFile(bytes, song);
}

std::vector<uint32_t> midiStreamWords(const MidiSong& song) {
    std::vector<uint32_t> words;
    words.reserve(song.events.size() * 3);
    uint32_t last = 0;
    for (const MidiEvent& e : song.events) {
        words.push_back(e.tick - last);
        words.push_back(0);
        words.push_back((e.tempo ? kMidiStreamTempo : kMidiStreamShort) | (e.value & 0xFFFFFF));
        last = e.tick;
    }
    return words;
}
