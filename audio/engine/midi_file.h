// Standard MIDI files (formats 0 and 1, and RIFF-wrapped .rmi) read into one
// time-ordered list of channel messages and tempo changes, and that list
// laid out as the 3-word events of a MIDI stream (delta time, stream id 0,
// event word) for a platform's MIDI stream player.
//
// System-exclusive messages and meta events other than tempo and end of
// track are dropped. SMPTE time division is turned into ticks per quarter
// note at a fixed tempo of one quarter note per second. Hostile files fail:
// every length is checked against the file, and a file may hold at most
// kMaxMidiEvents events.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

constexpr int kMaxMidiEvents = 4'000'000;

struct MidiEvent {
    uint32_t tick = 0;    // absolute, in ticks of the file's division
    bool tempo = false;   // a tempo change (value: microseconds per quarter note)
    uint32_t value = 0;   // a short message: status | data1 << 8 | data2 << 16
};

struct MidiSong {
    int division = 96; // ticks per quarter note
    std::vector<MidiEvent> events;
};

// False when the bytes are not a usable MIDI file.
bool parseMidiFile(const std::vector<uint8_t>& bytes, MidiSong* song);
bool loadMidiFile(const char* path, MidiSong* song);

// The event words of a MIDI stream: kind in the top byte (0 short message,
// 1 tempo), the message or tempo in the low 24 bits.
constexpr uint32_t kMidiStreamShort = 0x00u << 24;
constexpr uint32_t kMidiStreamTempo = 0x01u << 24;
std::vector<uint32_t> midiStreamWords(const MidiSong& song);
