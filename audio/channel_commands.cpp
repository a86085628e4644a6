// Music and the channel commands. Music files (tracker modules, MIDI) are
// songs, loaded once per lower-cased name into a slot of the music table and
// reached through slot | 0x80000000; every other file is streamed on a
// channel of its own. Channel commands tell the two kinds of handle apart by
// the sign and do nothing while the driver is not started.
#include <algorithm>
#include <cctype>
#include <string>

#include "audio/audio_driver.h"
#include "audio/kr_sound.h"
#include "audio/value_mapping.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

constexpr unsigned kMusicBit = 0x80000000u;

bool isMusicHandle(int handle) { return handle < 0; }

// The song of a music handle, or null when its slot is empty.
SoundSong* songOf(int handle) {
    KrMusic* m = audioDriver().musicTable[static_cast<unsigned>(handle) & 0xFFF];
    return m ? m->song : nullptr;
}

bool isMusicName(const std::string& lower) {
    for (const char* ext : {".mod", ".s3m", ".xm", ".it", ".mid", ".rmi", ".sgt"})
        if (lower.find(ext) != std::string::npos) return true;
    return false;
}

int playMusicObject(KrMusic* music, int flags) {
    SoundEngine& e = audioDriver().engine;
    e.stopSong(music->song);
    e.setSongLooping(music->song, flags & 1);
    if (!e.playSong(music->song)) return 0;
    if (flags & 2) e.setSongPaused(music->song, true);
    return static_cast<int>(static_cast<unsigned>(music->slot) | kMusicBit);
}

int playSong(const char* file, const std::string& lower, int flags) {
    AudioDriverState& d = audioDriver();
    auto cached = d.musicCache.find(lower);
    if (cached != d.musicCache.end()) return playMusicObject(cached->second, flags);
    int slot = 0;
    while (slot < AudioDriverState::kTableSize && d.musicTable[slot]) ++slot;
    if (slot == AudioDriverState::kTableSize) return 0;
    SoundSong* song = d.engine.loadSong(file);
    if (!song) return 0;
    d.engine.setSongLooping(song, false);
    auto* music = new KrMusic(slot, song);
    d.musicTable[slot] = music;
    ownByAudioDriver(music);
    d.musicCache[lower] = music;
    return playMusicObject(music, flags);
}

int playStream(const char* file, int flags) {
    AudioDriverState& d = audioDriver();
    SoundStream* stream = d.engine.openStream(file, 0, 0);
    if (!stream) return 0;
    int channel = d.engine.playStream(-1, stream, (flags & 2) != 0);
    if (channel < 0) {
        d.engine.closeStream(stream);
        return 0;
    }
    SoundStream*& slot = d.streamTable[channel & 0xFFF];
    if (slot) d.engine.closeStream(slot);
    slot = stream;
    d.streamChannels[channel & 0xFFF] = channel;
    return channel;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int PlayMusic(KrString* file, int flags) {
    if (!audioDriver().started) return 0;
    const char* name = krText(file);
    std::string lower = name;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return isMusicName(lower) ? playSong(name, lower, flags) : playStream(name, flags);
}

__attribute__((stdcall)) int PlayCDTrack(int track, int flags) { return -1; }

__attribute__((stdcall)) void StopChannel(int channel) {
    AudioDriverState& d = audioDriver();
    if (!d.started) return;
    if (isMusicHandle(channel)) {
        if (SoundSong* song = songOf(channel)) d.engine.stopSong(song);
        return;
    }
    d.engine.stopChannel(channel);
    // Only the stream this handle was given for: a stale handle of a sound
    // that ended must not close a stream playing later on the same channel.
    SoundStream*& slot = d.streamTable[channel & 0xFFF];
    if (slot && d.streamChannels[channel & 0xFFF] == channel) {
        d.engine.closeStream(slot);
        slot = nullptr;
    }
}

__attribute__((stdcall)) void PauseChannel(int channel) {
    AudioDriverState& d = audioDriver();
    if (!d.started) return;
    if (!isMusicHandle(channel))
        d.engine.setPaused(channel, true);
    else if (SoundSong* song = songOf(channel))
        d.engine.setSongPaused(song, true);
}

__attribute__((stdcall)) void ResumeChannel(int channel) {
    AudioDriverState& d = audioDriver();
    if (!d.started) return;
    if (!isMusicHandle(channel))
        d.engine.setPaused(channel, false);
    else if (SoundSong* song = songOf(channel))
        d.engine.setSongPaused(song, false);
}

__attribute__((stdcall)) void ChannelPitch(int channel, int pitch) {
    AudioDriverState& d = audioDriver();
    if (d.started && !isMusicHandle(channel)) d.engine.setFrequency(channel, pitch);
}

__attribute__((stdcall)) void ChannelVolume(int channel, float volume) {
    AudioDriverState& d = audioDriver();
    if (!d.started) return;
    if (!isMusicHandle(channel))
        d.engine.setVolume(channel, soundVolumeValue(volume));
    else if (SoundSong* song = songOf(channel))
        d.engine.setSongMasterVolume(song, musicVolumeValue(volume));
}

__attribute__((stdcall)) void ChannelPan(int channel, float pan) {
    AudioDriverState& d = audioDriver();
    if (d.started && !isMusicHandle(channel)) d.engine.setPan(channel, panValue(pan));
}

__attribute__((stdcall)) int ChannelPlaying(int channel) {
    AudioDriverState& d = audioDriver();
    if (!d.started) return 0;
    if (!isMusicHandle(channel)) return d.engine.isPlaying(channel) ? 1 : 0;
    SoundSong* song = songOf(channel);
    return song && d.engine.isSongPlaying(song) ? 1 : 0;
}

} // extern "C"

KR_COMMAND(Runtime, "%PlayMusic$file%flags=0", PlayMusic);
KR_COMMAND(Runtime, "%PlayCDTrack%track%flags=0", PlayCDTrack);
KR_COMMAND(Runtime, "StopChannel%channel", StopChannel);
KR_COMMAND(Runtime, "PauseChannel%channel", PauseChannel);
KR_COMMAND(Runtime, "ResumeChannel%channel", ResumeChannel);
KR_COMMAND(Runtime, "ChannelPitch%channel%pitch", ChannelPitch);
KR_COMMAND(Runtime, "ChannelVolume%channel#volume", ChannelVolume);
KR_COMMAND(Runtime, "ChannelPan%channel#pan", ChannelPan);
KR_COMMAND(Runtime, "%ChannelPlaying%channel", ChannelPlaying);
