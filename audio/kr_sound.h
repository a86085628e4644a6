// The objects the sound commands hand to programs: KrSound, a loaded sample
// with the defaults the program set for it, and KrMusic, a song in its slot
// of the music table.
#pragma once

#include "runtime/resource.h"

class SoundSample;
class SoundSong;

class KrSound final : public KrResource {
public:
    static constexpr const char* kHandleName = "Sound";

    explicit KrSound(SoundSample* sample);
    void free() override;

    SoundSample* sample;
    bool defaultsApplied = true;
    int frequency = 0; // Hz
    int volume = 0;    // 0..255
    int pan = 0;       // 0 left .. 255 right
    int priority = 0;
};

class KrMusic final : public KrResource {
public:
    static constexpr const char* kHandleName = "Music";

    KrMusic(int slot, SoundSong* song) : slot(slot), song(song) {}
    void free() override;

    int slot;
    SoundSong* song;
};
