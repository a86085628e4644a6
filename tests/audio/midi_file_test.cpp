// The MIDI file reader: tracks merged by time with running status and
// tempo changes, the stream events handed to the platform's MIDI stream,
// RIFF-wrapped files, SMPTE timing, and hostile files that must fail.
#include <gtest/gtest.h>

#include "audio/engine/midi_file.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes chunk(const char* id, const Bytes& body) {
    Bytes c(id, id + 4);
    uint32_t n = static_cast<uint32_t>(body.size());
    c.insert(c.end(), {static_cast<uint8_t>(n >> 24), static_cast<uint8_t>(n >> 16), static_cast<uint8_t>(n >> 8),
                       static_cast<uint8_t>(n)});
    c.insert(c.end(), body.begin(), body.end());
    return c;
}

Bytes midiFile(int format, int division, const std::vector<Bytes>& tracks) {
    Bytes f = chunk("MThd", {0, static_cast<uint8_t>(format), 0, static_cast<uint8_t>(tracks.size()),
                             static_cast<uint8_t>(division >> 8), static_cast<uint8_t>(division)});
    for (const Bytes& t : tracks) {
        Bytes c = chunk("MTrk", t);
        f.insert(f.end(), c.begin(), c.end());
    }
    return f;
}

// Track 0: tempo 0x07A120 (500,000 us) at 0, 0x0F4240 at tick 200. Track 1:
// note on, running-status note on 96 ticks later (delta 0x60), a sysex that
// is dropped, program change, note off after a two-byte delta (0x81 0x00 = 128).
const Bytes tempoTrack = {0x00, 0xFF, 0x51, 0x03, 0x07, 0xA1, 0x20, 0x81, 0x48, 0xFF, 0x51,
                          0x03, 0x0F, 0x42, 0x40, 0x00, 0xFF, 0x2F, 0x00};
const Bytes noteTrack = {0x00, 0x90, 0x3C, 0x64, 0x60, 0x40, 0x50, 0x00, 0xF0, 0x02, 0x7E, 0xF7,
                         0x00, 0xC1, 0x05, 0x81, 0x00, 0x80, 0x3C, 0x00, 0x00, 0xFF, 0x2F, 0x00};

TEST(MidiFile, TracksMergeByTimeIntoStreamEvents) {
    MidiSong song;
    ASSERT_TRUE(parseMidiFile(midiFile(1, 480, {tempoTrack, noteTrack}), &song));
    EXPECT_EQ(song.division, 480);
    std::vector<uint32_t> words = midiStreamWords(song);
    const std::vector<uint32_t> want = {
        0,   0, kMidiStreamTempo | 0x07A120, // tick 0, track 0 first
        0,   0, 0x643C90,                    // note on C4
        96,  0, 0x504090,                    // running status: note on E4 at 96
        0,   0, 0x0005C1,                    // program change at 96
        104, 0, kMidiStreamTempo | 0x0F4240, // tempo at 200
        24,  0, 0x003C80,                    // note off at 224
    };
    EXPECT_EQ(words, want);
}

TEST(MidiFile, RiffWrappedAndSmpteFiles) {
    Bytes smf = midiFile(0, 96, {noteTrack});
    Bytes riff = {'R', 'I', 'F', 'F', 0, 0, 0, 0, 'R', 'M', 'I', 'D'};
    Bytes data = {'d', 'a', 't', 'a', static_cast<uint8_t>(smf.size()), static_cast<uint8_t>(smf.size() >> 8), 0, 0};
    riff.insert(riff.end(), data.begin(), data.end());
    riff.insert(riff.end(), smf.begin(), smf.end());
    MidiSong song;
    ASSERT_TRUE(parseMidiFile(riff, &song));
    EXPECT_EQ(song.events.size(), 4u);
    // 25 frames per second, 40 ticks a frame: 1000 ticks a second, played as
    // 1000 ticks per quarter note at one quarter note per second.
    ASSERT_TRUE(parseMidiFile(midiFile(0, 0xE728, {noteTrack}), &song));
    EXPECT_EQ(song.division, 1000);
    ASSERT_FALSE(song.events.empty());
    EXPECT_TRUE(song.events[0].tempo);
    EXPECT_EQ(song.events[0].value, 1000000u);
}

TEST(MidiFile, HostileFilesFail) {
    MidiSong song;
    Bytes runaway = midiFile(0, 96, {noteTrack});
    runaway[18] = 0x7F; // the track claims ~2 GB
    EXPECT_FALSE(parseMidiFile(runaway, &song)) << "track longer than the file";
    EXPECT_FALSE(parseMidiFile(midiFile(0, 96, {{0xFF, 0xFF, 0xFF, 0xFF, 0x7F, 0x90, 0x3C, 0x64}}), &song))
        << "five-byte delta time";
    EXPECT_FALSE(parseMidiFile(midiFile(0, 96, {{0x00, 0x3C, 0x64}}), &song)) << "data without a status";
    EXPECT_FALSE(parseMidiFile(midiFile(0, 96, {{0x00, 0xFF, 0x51, 0x7F}}), &song)) << "meta event past the end";
    EXPECT_FALSE(parseMidiFile(midiFile(2, 96, {noteTrack}), &song)) << "format 2";
    EXPECT_FALSE(parseMidiFile(midiFile(0, 96, {noteTrack, noteTrack}), &song)) << "format 0 with two tracks";
    EXPECT_FALSE(parseMidiFile(midiFile(0, 0, {noteTrack}), &song)) << "division 0";
    Bytes twoTracks = midiFile(1, 96, {noteTrack});
    twoTracks[11] = 2;
    EXPECT_FALSE(parseMidiFile(twoTracks, &song)) << "a track missing";
    EXPECT_FALSE(parseMidiFile(Bytes{'M', 'T', 'h', 'd'}, &song));
    // The whole file is still fine.
    EXPECT_TRUE(parseMidiFile(midiFile(0, 96, {noteTrack}), &song));
}

} // namespace
