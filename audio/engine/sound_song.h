// What a song provides: music that plays itself (a MIDI file on the
// platform's synthesiser, a tracker module rendered into a stream), with the
// controls the music commands use. Song formats announce themselves with a
// SongFormat registration.
#pragma once

#include <memory>
#include <string>

class SoundSong {
public:
    virtual ~SoundSong() = default;
    // Starts from the beginning; false when it cannot play.
    virtual bool play() = 0;
    virtual void stop() = 0;
    virtual void setLooping(bool looping) = 0;
    virtual void setPaused(bool paused) = 0;
    // 0..256.
    virtual void setMasterVolume(int volume) = 0;
    virtual bool isPlaying() = 0;
};

class SoundEngine;

// A loader takes the file when it is of its format (judged by the
// lower-cased name and the content); null when it is not or fails to load.
// Songs that render into the mix play through `engine`, which outlives them.
using SongLoader = std::unique_ptr<SoundSong> (*)(const char* path, const std::string& lowerName,
                                                  SoundEngine& engine);

struct SongFormat {
    SongFormat(const char* name, SongLoader loader);
    const char* name;
    SongLoader loader;
    SongFormat* next;
};

// Loads a song with the first format that takes the file; null when none does.
std::unique_ptr<SoundSong> loadSoundSong(const char* path, SoundEngine& engine);
