// The sound commands: loading samples, the defaults a program sets for a
// sound (applied to the engine at its next play), and playing it on a free
// channel. Sound handles are checked: 0 is ignored, anything else must be a
// live sound.
#include "audio/audio_driver.h"
#include "audio/kr_sound.h"
#include "audio/value_mapping.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

KrSound* soundOf(int handle) { return handle ? castHandle<KrSound>(handle) : nullptr; }

void applyDefaults(KrSound* s) {
    if (s->defaultsApplied) return;
    audioDriver().engine.setSampleDefaults(s->sample, {s->frequency, s->volume, s->pan, s->priority});
    s->defaultsApplied = true;
}

} // namespace

// The language's value ranges mapped to the engine's, truncating toward
// zero after a single-precision product.
int soundVolumeValue(float volume) {
    float v = volume * 255.0f;
    return static_cast<int>(v);
}

int musicVolumeValue(float volume) {
    float v = volume * 256.0f;
    return static_cast<int>(v);
}

int panValue(float pan) {
    float sum = pan + 1.0f;
    float v = sum * 127.5f;
    return static_cast<int>(v);
}

extern "C" {

__attribute__((stdcall)) int LoadSound(KrString* filename) {
    AudioDriverState& d = audioDriver();
    if (!d.started) return 0;
    SoundSample* sample = d.engine.loadSample(-1, krText(filename), 0, 0);
    if (!sample) return 0;
    auto* sound = new KrSound(sample);
    ownByAudioDriver(sound);
    return toHandle(sound);
}

__attribute__((stdcall)) void FreeSound(int sound) {
    if (KrSound* s = soundOf(sound)) s->release();
}

__attribute__((stdcall)) void LoopSound(int sound) {
    if (KrSound* s = soundOf(sound)) audioDriver().engine.setSampleMode(s->sample, kLoopNormal);
}

__attribute__((stdcall)) void SoundPitch(int sound, int pitch) {
    if (KrSound* s = soundOf(sound)) {
        s->frequency = pitch;
        s->defaultsApplied = false;
    }
}

__attribute__((stdcall)) void SoundVolume(int sound, float volume) {
    if (KrSound* s = soundOf(sound)) {
        s->volume = soundVolumeValue(volume);
        s->defaultsApplied = false;
    }
}

__attribute__((stdcall)) void SoundPan(int sound, float pan) {
    if (KrSound* s = soundOf(sound)) {
        s->pan = panValue(pan);
        s->defaultsApplied = false;
    }
}

__attribute__((stdcall)) int PlaySound(int sound, int flags) {
    KrSound* s = soundOf(sound);
    if (!s) return 0;
    AudioDriverState& d = audioDriver();
    if (flags & 1) {
        applyDefaults(s);
        d.engine.setSampleMode(s->sample, kLoopNormal);
    }
    applyDefaults(s);
    int channel = d.engine.playSample(-1, s->sample, (flags & 2) != 0);
    if (channel < 0) return 0;
    // A stream that finished on this channel earlier is closed now that the
    // channel plays something else.
    SoundStream*& old = d.streamTable[channel & 0xFFF];
    if (old) {
        d.engine.closeStream(old);
        old = nullptr;
    }
    return channel;
}

} // extern "C"

KR_COMMAND(Runtime, "%LoadSound$filename", LoadSound);
KR_COMMAND(Runtime, "FreeSound%sound", FreeSound);
KR_COMMAND(Runtime, "LoopSound%sound", LoopSound);
KR_COMMAND(Runtime, "SoundPitch%sound%pitch", SoundPitch);
KR_COMMAND(Runtime, "SoundVolume%sound#volume", SoundVolume);
KR_COMMAND(Runtime, "SoundPan%sound#pan", SoundPan);
KR_COMMAND(Runtime, "%PlaySound%sound%flags=0", PlaySound);
