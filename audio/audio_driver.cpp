// The "KrAudioDriver" module (subsystem "Audio", config "Native"): starts the
// sound engine at 44,100 Hz with 256 channels for the run and closes it when
// the run ends. A start that fails leaves the driver unstarted and the run
// ends with the module error.
#include "audio/audio_driver.h"

#include "audio/kr_sound.h"
#include "runtime/module.h"

namespace {

AudioDriverState driver;

void clearTables() {
    for (SoundStream*& s : driver.streamTable) s = nullptr;
    for (KrMusic*& m : driver.musicTable) m = nullptr;
    driver.musicCache.clear();
}

class KrAudioDriver : public KrModule {
public:
    KrAudioDriver() { setup("KrAudioDriver", "Audio", "Native"); }

    bool startup() override {
        if (!driver.engine.init(44100, 256, 1)) return false;
        clearTables();
        driver.started = true;
        return true;
    }

    // Runs after the module released its sounds and music.
    void shutdown() override {
        for (SoundStream* s : driver.streamTable)
            if (s) driver.engine.closeStream(s);
        clearTables();
        driver.engine.close();
        driver.started = false;
    }
};

KrAudioDriver audioDriverModule;

} // namespace

AudioDriverState& audioDriver() { return driver; }

void ownByAudioDriver(KrResource* resource) { audioDriverModule.addResource(resource); }

KrSound::KrSound(SoundSample* sample) : sample(sample) {
    SampleDefaults d = driver.engine.sampleDefaults(sample);
    frequency = d.frequency;
    volume = d.volume;
    pan = d.pan;
    priority = d.priority;
}

void KrSound::free() {
    driver.engine.freeSample(sample);
    sample = nullptr;
    KrResource::free();
}

void KrMusic::free() {
    driver.engine.freeSong(song);
    song = nullptr;
    if (slot >= 0 && slot < AudioDriverState::kTableSize && driver.musicTable[slot] == this)
        driver.musicTable[slot] = nullptr;
    for (auto it = driver.musicCache.begin(); it != driver.musicCache.end(); ++it)
        if (it->second == this) {
            driver.musicCache.erase(it);
            break;
        }
    KrResource::free();
}
