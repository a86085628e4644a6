// The sound, music and channel commands inside a program run: the value
// mappings stored for a sound, defaults reaching the engine at the next
// play, looping and paused plays, handle checks, and music through a song
// format of the test's own that records what the commands ask of it.
#include <gtest/gtest.h>

#include "audio/audio_driver.h"
#include "audio/engine/sound_song.h"
#include "audio/kr_sound.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"
#include "sound_files.h"

extern "C" {
__attribute__((stdcall)) int LoadSound(KrString* filename);
__attribute__((stdcall)) void FreeSound(int sound);
__attribute__((stdcall)) void LoopSound(int sound);
__attribute__((stdcall)) void SoundPitch(int sound, int pitch);
__attribute__((stdcall)) void SoundVolume(int sound, float volume);
__attribute__((stdcall)) void SoundPan(int sound, float pan);
__attribute__((stdcall)) int PlaySound(int sound, int flags);
__attribute__((stdcall)) int PlayMusic(KrString* file, int flags);
__attribute__((stdcall)) void StopChannel(int channel);
__attribute__((stdcall)) void PauseChannel(int channel);
__attribute__((stdcall)) void ResumeChannel(int channel);
__attribute__((stdcall)) void ChannelPitch(int channel, int pitch);
__attribute__((stdcall)) void ChannelVolume(int channel, float volume);
__attribute__((stdcall)) void ChannelPan(int channel, float pan);
__attribute__((stdcall)) int ChannelPlaying(int channel);
}

namespace {

struct Text {
    explicit Text(const std::string& text) : s(krNewString(text.c_str())) {}
    ~Text() { s->release(); }
    operator KrString*() const { return s; }
    KrString* s;
};

// What the commands asked of the test's songs.
struct SongLog {
    int loads = 0;
    std::string lastPath;
    int volume = -1;
    bool looping = false, paused = false, playing = false;
    int plays = 0;
};
SongLog songLog;

class RecordingSong : public SoundSong {
public:
    bool play() override {
        ++songLog.plays;
        songLog.playing = true;
        songLog.paused = false;
        return true;
    }
    void stop() override { songLog.playing = false; }
    void setLooping(bool looping) override { songLog.looping = looping; }
    void setPaused(bool paused) override { songLog.paused = paused; }
    void setMasterVolume(int volume) override { songLog.volume = volume; }
    bool isPlaying() override { return songLog.playing; }
};

// Takes any name with "recorded" in it, without reading a file.
std::unique_ptr<SoundSong> loadRecordedSong(const char* path, const std::string& lowerName, SoundEngine&) {
    if (lowerName.find("recorded") == std::string::npos) return nullptr;
    ++songLog.loads;
    songLog.lastPath = path;
    return std::make_unique<RecordingSong>();
}
const SongFormat recordedSongs("recorded", loadRecordedSong);

int loadTone() { return LoadSound(Text(soundFile("tone44k.wav"))); }

TEST(SoundCommands, ValuesAreStoredMappedAndReachTheEngineAtTheNextPlay) {
    RunRecord r = runAsProgram([] {
        int h = loadTone();
        ASSERT_NE(h, 0);
        auto* s = reinterpret_cast<KrSound*>(h);
        EXPECT_EQ(s->frequency, 44100);
        EXPECT_EQ(s->volume, 255);
        SoundVolume(h, 0.5f);
        EXPECT_EQ(s->volume, 127);
        SoundPan(h, 0.0f);
        EXPECT_EQ(s->pan, 127);
        SoundPan(h, -1.0f);
        EXPECT_EQ(s->pan, 0);
        SoundPan(h, 1.0f);
        EXPECT_EQ(s->pan, 255);
        SoundPitch(h, 22050);
        EXPECT_FALSE(s->defaultsApplied);
        SoundEngine& e = audioDriver().engine;
        EXPECT_EQ(e.sampleDefaults(s->sample).volume, 255) << "not before the play";
        int ch = PlaySound(h, 0);
        EXPECT_GT(ch, 0);
        EXPECT_TRUE(s->defaultsApplied);
        SampleDefaults d = e.sampleDefaults(s->sample);
        EXPECT_EQ(d.volume, 127);
        EXPECT_EQ(d.pan, 255);
        EXPECT_EQ(d.frequency, 22050);
        EXPECT_EQ(ChannelPlaying(ch), 1);
        StopChannel(ch);
        EXPECT_EQ(ChannelPlaying(ch), 0);
        FreeSound(h);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(SoundCommands, LoopFlagStaysAndPausedPlayWaitsForResume) {
    RunRecord r = runAsProgram([] {
        int h = loadTone();
        ASSERT_NE(h, 0);
        SoundSample* sample = reinterpret_cast<KrSound*>(h)->sample;
        EXPECT_FALSE(sample->loops());
        int looping = PlaySound(h, 1);
        StopChannel(looping);
        EXPECT_TRUE(sample->loops()) << "PlaySound(s, 1) loops every later play";
        SoundEngine& e = audioDriver().engine;
        int paused = PlaySound(h, 2);
        EXPECT_GT(paused, 0);
        EXPECT_TRUE(e.isPaused(paused));
        ResumeChannel(paused);
        EXPECT_FALSE(e.isPaused(paused));
        PauseChannel(paused);
        EXPECT_TRUE(e.isPaused(paused));
        ChannelVolume(paused, 1.0f);
        ChannelPan(paused, -1.0f);
        ChannelPitch(paused, 11025);
        EXPECT_EQ(ChannelPlaying(paused), 1);
        int h2 = loadTone();
        LoopSound(h2);
        EXPECT_TRUE(reinterpret_cast<KrSound*>(h2)->sample->loops());
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(SoundCommands, HandleZeroIsIgnoredAndOthersAreChecked) {
    RunRecord r = runAsProgram([] {
        EXPECT_EQ(PlaySound(0, 0), 0);
        FreeSound(0);
        LoopSound(0);
        SoundVolume(0, 1.0f);
        EXPECT_EQ(LoadSound(Text(soundFile("nosuch.wav"))), 0);
        EXPECT_EQ(ChannelPlaying(12345), 0);
        StopChannel(-5);
        int bank = 0;
        PlaySound(reinterpret_cast<intptr_t>(&bank), 0);
    });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Invalid Sound handle");
}

TEST(MusicCommands, OneSongPerNameWithMusicHandleRules) {
    songLog = SongLog{};
    RunRecord r = runAsProgram([] {
        int a = PlayMusic(Text("Recorded.MOD"), 1);
        EXPECT_LT(a, 0);
        EXPECT_EQ(static_cast<unsigned>(a), 0x80000000u) << "slot 0";
        EXPECT_EQ(songLog.lastPath, "Recorded.MOD") << "loaded by the name as given";
        EXPECT_TRUE(songLog.looping);
        EXPECT_EQ(ChannelPlaying(a), 1);
        int b = PlayMusic(Text("recorded.mod"), 2);
        EXPECT_EQ(b, a);
        EXPECT_EQ(songLog.loads, 1);
        EXPECT_FALSE(songLog.looping);
        EXPECT_TRUE(songLog.paused);
        ResumeChannel(a);
        EXPECT_FALSE(songLog.paused);
        ChannelVolume(a, 1.0f);
        EXPECT_EQ(songLog.volume, 256);
        ChannelVolume(a, 0.5f);
        EXPECT_EQ(songLog.volume, 128);
        int other = PlayMusic(Text("recorded2.xm"), 0);
        EXPECT_EQ(static_cast<unsigned>(other), 0x80000001u);
        StopChannel(a);
        EXPECT_EQ(ChannelPlaying(a), 0);
        EXPECT_EQ(ChannelPlaying(static_cast<int>(0x80000fffu)), 0) << "an empty slot";
        EXPECT_EQ(PlayMusic(Text("missing.mid"), 0), 0);
        EXPECT_EQ(PlayMusic(Text("anything.sgt"), 0), 0);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(MusicCommands, OtherFilesStreamOnAChannelIgnoringTheLoopFlag) {
    RunRecord r = runAsProgram([] {
        int ch = PlayMusic(Text(soundFile("long.wav")), 1);
        ASSERT_GT(ch, 0);
        EXPECT_EQ(ChannelPlaying(ch), 1);
        AudioDriverState& d = audioDriver();
        EXPECT_NE(d.streamTable[ch & 0xFFF], nullptr);
        int ogg = PlayMusic(Text(soundFile("song.ogg")), 2);
        ASSERT_GT(ogg, 0);
        EXPECT_TRUE(d.engine.isPaused(ogg));
        StopChannel(ch);
        EXPECT_EQ(d.streamTable[ch & 0xFFF], nullptr) << "the stream is closed";
        EXPECT_EQ(ChannelPlaying(ch), 0);
        EXPECT_EQ(PlayMusic(Text(soundFile("nosuch.ogg")), 0), 0);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

} // namespace
