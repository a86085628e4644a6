// Fuzz target: standard MIDI files (and RIFF-wrapped ones) read into a song
// and laid out as a MIDI stream's events.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "audio/engine/midi_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> bytes(data, data + size);
    MidiSong song;
    if (!parseMidiFile(bytes, &song)) return 0;
    if (song.events.size() > static_cast<size_t>(kMaxMidiEvents)) __builtin_trap();
    for (size_t i = 1; i < song.events.size(); ++i)
        if (song.events[i].tick < song.events[i - 1].tick) __builtin_trap(); // not in time order
    midiStreamWords(song);
    return 0;
}
