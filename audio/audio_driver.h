// The "KrAudioDriver" module's state, shared by the sound, music and channel
// commands: the engine, whether it started, the stream open on each
// channel, the music slots and the cache of music files by lower-cased name.
#pragma once

#include <map>
#include <string>

#include "audio/engine/sound_engine.h"

class KrMusic;
class KrResource;
class SoundStream;

struct AudioDriverState {
    static constexpr int kTableSize = 4096;

    SoundEngine engine;
    bool started = false;
    SoundStream* streamTable[kTableSize] = {};
    int streamChannels[kTableSize] = {}; // the channel number each stream was given
    KrMusic* musicTable[kTableSize] = {};
    std::map<std::string, KrMusic*> musicCache;
};

AudioDriverState& audioDriver();

// Hands a sound or music object to the driver module, which releases it
// when it stops.
void ownByAudioDriver(KrResource* resource);
