#include "audio/engine/sound_song.h"

#include <algorithm>
#include <cctype>

namespace {

SongFormat*& songFormats() {
    static SongFormat* head = nullptr;
    return head;
}

} // namespace

SongFormat::SongFormat(const char* name, SongLoader loader) : name(name), loader(loader), next(songFormats()) {
    songFormats() = this;
}

std::unique_ptr<SoundSong> loadSoundSong(const char* path, SoundEngine& engine) {
    if (!path || !*path) return nullptr;
    std::string lower = path;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (SongFormat* f = songFormats(); f; f = f->next)
        if (std::unique_ptr<SoundSong> song = f->loader(path, lower, engine)) return song;
    return nullptr;
}
