// The mixer through the engine's offline render: volume and pan, resampling
// by frequency, loops, pause, channels ending exactly at the sample's end,
// 256 channels at once, channel numbers, and streams against samples.
// Expected frames are computed from the source's raw twin with the mixing
// rule (gains in 16.16, arithmetic shift, linear interpolation on 15 bits).
#include <gtest/gtest.h>

#include "audio/engine/sound_engine.h"
#include "sound_files.h"

namespace {

int32_t gainOf(int volume, int weight) { return static_cast<int32_t>((volume * weight * 65536LL + 65025 / 2) / 65025); }

int16_t clamp16(int32_t v) { return static_cast<int16_t>(v < -32768 ? -32768 : v > 32767 ? 32767 : v); }

class MixerTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(engine.init(44100, 256, 0, SoundEngine::Output::Offline)); }

    SoundSample* load(const char* name) {
        SoundSample* s = engine.loadSample(-1, soundFile(name).c_str(), 0, 0);
        EXPECT_NE(s, nullptr) << name;
        return s;
    }
    std::vector<int16_t> render(int frames) {
        std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
        engine.render(out.data(), frames);
        return out;
    }
    void setDefaults(SoundSample* s, int frequency, int volume, int pan) {
        SampleDefaults d = engine.sampleDefaults(s);
        d.frequency = frequency;
        d.volume = volume;
        d.pan = pan;
        engine.setSampleDefaults(s, d);
    }

    SoundEngine engine;
};

TEST_F(MixerTest, VolumeAndPanScaleEachSide) {
    std::vector<int16_t> src = rawSamples("tone44k.raw");
    ASSERT_GT(src.size(), 100u);
    SoundSample* s = load("tone44k.wav");
    ASSERT_TRUE(s);
    // Half volume hard left, then full volume a quarter right of centre.
    setDefaults(s, 44100, 127, 0);
    ASSERT_GE(engine.playSample(-1, s, false), 0);
    std::vector<int16_t> out = render(static_cast<int>(src.size()));
    int32_t half = gainOf(127, 255);
    for (size_t i = 0; i < src.size(); ++i) {
        ASSERT_EQ(out[2 * i], (src[i] * half) >> 16) << "left frame " << i;
        ASSERT_EQ(out[2 * i + 1], 0) << "right frame " << i;
    }
    setDefaults(s, 44100, 255, 160);
    ASSERT_GE(engine.playSample(-1, s, false), 0);
    out = render(static_cast<int>(src.size()));
    int32_t left = gainOf(255, 2 * (255 - 160));
    for (size_t i = 0; i < src.size(); ++i) {
        ASSERT_EQ(out[2 * i], (src[i] * left) >> 16) << "left frame " << i;
        ASSERT_EQ(out[2 * i + 1], src[i]) << "right frame " << i;
    }
}

TEST_F(MixerTest, StereoSourceKeepsItsSides) {
    std::vector<int16_t> src = rawSamples("stereo.raw");
    SoundSample* s = load("stereo.wav");
    ASSERT_TRUE(s);
    setDefaults(s, 44100, 200, 40);
    int frames = static_cast<int>(src.size() / 2);
    ASSERT_GE(engine.playSample(-1, s, false), 0);
    std::vector<int16_t> out = render(frames);
    int32_t left = gainOf(200, 255), right = gainOf(200, 80);
    for (int i = 0; i < frames; ++i) {
        ASSERT_EQ(out[2 * i], (src[2 * i] * left) >> 16) << i;
        ASSERT_EQ(out[2 * i + 1], (src[2 * i + 1] * right) >> 16) << i;
    }
}

TEST_F(MixerTest, ChannelEndsExactlyAtTheSamplesEnd) {
    std::vector<int16_t> src = rawSamples("tone44k.raw");
    int n = static_cast<int>(src.size());
    SoundSample* s = load("tone44k.wav");
    ASSERT_TRUE(s);
    int ch = engine.playSample(-1, s, false);
    render(n - 1);
    EXPECT_TRUE(engine.isPlaying(ch)) << "one frame before the end";
    std::vector<int16_t> last = render(2);
    EXPECT_FALSE(engine.isPlaying(ch)) << "after the last frame";
    EXPECT_EQ(last[0], src[n - 1]);
    EXPECT_EQ(last[2], 0) << "nothing after the end";
}

TEST_F(MixerTest, DoublePitchPlaysEveryOtherFrameInHalfTheTime) {
    std::vector<int16_t> src = rawSamples("tone44k.raw");
    int n = static_cast<int>(src.size());
    SoundSample* s = load("tone44k.wav");
    ASSERT_TRUE(s);
    int ch = engine.playSample(-1, s, false);
    engine.setFrequency(ch, 88200);
    int half = (n + 1) / 2;
    std::vector<int16_t> out = render(half - 1);
    for (int i = 0; i < half - 1; ++i) ASSERT_EQ(out[2 * i], src[2 * i]) << i;
    EXPECT_TRUE(engine.isPlaying(ch));
    render(1);
    EXPECT_FALSE(engine.isPlaying(ch));
}

TEST_F(MixerTest, HalfRateSourceIsInterpolated) {
    std::vector<int16_t> src = rawSamples("tone22k.raw");
    int n = static_cast<int>(src.size());
    SoundSample* s = load("tone22k.wav");
    ASSERT_TRUE(s);
    EXPECT_EQ(engine.sampleDefaults(s).frequency, 22050);
    int ch = engine.playSample(-1, s, false);
    std::vector<int16_t> out = render(2 * n);
    for (int i = 0; i < 2 * n; ++i) {
        int a = src[i / 2], b = i / 2 + 1 < n ? src[i / 2 + 1] : a;
        int want = i % 2 ? a + (((b - a) * 16384) >> 15) : a;
        ASSERT_EQ(out[2 * i], want) << "frame " << i;
    }
    EXPECT_FALSE(engine.isPlaying(ch));
}

TEST_F(MixerTest, LoopingSampleWrapsAround) {
    std::vector<int16_t> src = rawSamples("tone44k.raw");
    int n = static_cast<int>(src.size());
    SoundSample* s = load("tone44k.wav");
    ASSERT_TRUE(s);
    engine.setSampleMode(s, kLoopNormal);
    int ch = engine.playSample(-1, s, false);
    std::vector<int16_t> out = render(2 * n + n / 2);
    for (int i = 0; i < 2 * n + n / 2; ++i) ASSERT_EQ(out[2 * i], src[i % n]) << i;
    EXPECT_TRUE(engine.isPlaying(ch));
    // Back to playing once: the loop in progress finishes and the channel ends.
    engine.setSampleMode(s, kLoopOff);
    render(n - n / 2);
    EXPECT_FALSE(engine.isPlaying(ch));
}

TEST_F(MixerTest, PausedChannelHoldsItsPlace) {
    std::vector<int16_t> src = rawSamples("tone44k.raw");
    SoundSample* s = load("tone44k.wav");
    ASSERT_TRUE(s);
    int ch = engine.playSample(-1, s, true);
    std::vector<int16_t> out = render(300);
    for (int16_t v : out) ASSERT_EQ(v, 0);
    EXPECT_TRUE(engine.isPlaying(ch));
    EXPECT_TRUE(engine.isPaused(ch));
    engine.setPaused(ch, false);
    out = render(100);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(out[2 * i], src[i]) << i;
    engine.setPaused(ch, true);
    render(500);
    engine.setPaused(ch, false);
    out = render(100);
    for (int i = 0; i < 100; ++i) ASSERT_EQ(out[2 * i], src[100 + i]) << i;
}

TEST_F(MixerTest, AllChannelsAtOnceAndTheNextTakesTheOldest) {
    std::vector<int16_t> src = rawSamples("quiet.raw");
    SoundSample* s = load("quiet.wav");
    ASSERT_TRUE(s);
    std::vector<int> channels;
    for (int i = 0; i < 256; ++i) {
        int ch = engine.playSample(-1, s, false);
        ASSERT_GE(ch, 0);
        EXPECT_EQ(ch & 0xFFF, i);
        channels.push_back(ch);
    }
    std::vector<int16_t> out = render(50);
    for (int i = 0; i < 50; ++i) ASSERT_EQ(out[2 * i], clamp16(256 * src[i])) << i;
    // A 257th sound of equal priority takes channel 0; the old number goes dead.
    int extra = engine.playSample(-1, s, false);
    ASSERT_GE(extra, 0);
    EXPECT_EQ(extra & 0xFFF, 0);
    EXPECT_NE(extra, channels[0]);
    EXPECT_FALSE(engine.isPlaying(channels[0]));
    EXPECT_TRUE(engine.isPlaying(extra));
    // A sound of lower priority finds no channel.
    SampleDefaults d = engine.sampleDefaults(s);
    d.priority = 10;
    engine.setSampleDefaults(s, d);
    EXPECT_LT(engine.playSample(-1, s, false), 0);
}

TEST_F(MixerTest, StaleChannelNumbersControlNothing) {
    SoundSample* s = load("tone44k.wav");
    ASSERT_TRUE(s);
    int first = engine.playSample(-1, s, false);
    EXPECT_GT(first, 0) << "no channel number is 0";
    engine.stopChannel(first);
    EXPECT_FALSE(engine.isPlaying(first));
    int second = engine.playSample(-1, s, false);
    ASSERT_EQ(second & 0xFFF, first & 0xFFF);
    engine.stopChannel(first);
    engine.setPaused(first, true);
    engine.setVolume(first, 0);
    EXPECT_TRUE(engine.isPlaying(second));
    EXPECT_FALSE(engine.isPaused(second));
    std::vector<int16_t> out = render(10);
    EXPECT_EQ(out[2 * 5], rawSamples("tone44k.raw")[5]) << "the volume change went to the old number";
    EXPECT_FALSE(engine.isPlaying(-1));
    EXPECT_FALSE(engine.isPlaying(0));
}

TEST_F(MixerTest, FreeingASampleStopsItsChannels) {
    SoundSample* s = load("tone44k.wav");
    ASSERT_TRUE(s);
    int ch = engine.playSample(-1, s, false);
    engine.freeSample(s);
    EXPECT_FALSE(engine.isPlaying(ch));
    std::vector<int16_t> out = render(20);
    for (int16_t v : out) ASSERT_EQ(v, 0);
    EXPECT_LT(engine.playSample(-1, s, false), 0) << "a freed sample is not played";
}

// A stream decodes in blocks; across the block joins it must give exactly
// what the same file gives as a sample, at its own rate and resampled.
TEST_F(MixerTest, StreamMatchesTheSameFileAsASample) {
    std::vector<int16_t> src = rawSamples("long.raw");
    int n = static_cast<int>(src.size());
    ASSERT_GT(n, 3 * 4096);
    for (int hz : {32000, 44100, 51234}) {
        SoundSample* s = load("long.wav");
        ASSERT_TRUE(s);
        int ch = engine.playSample(-1, s, false);
        engine.setFrequency(ch, hz);
        int frames = static_cast<int>((static_cast<int64_t>(n) * 44100 + hz - 1) / hz);
        std::vector<int16_t> want = render(frames + 5);
        EXPECT_FALSE(engine.isPlaying(ch));
        engine.freeSample(s);

        SoundStream* stream = engine.openStream(soundFile("long.wav").c_str(), 0, 0);
        ASSERT_NE(stream, nullptr);
        int sch = engine.playStream(-1, stream, false);
        ASSERT_GE(sch, 0);
        engine.setFrequency(sch, hz);
        std::vector<int16_t> got = render(frames - 1);
        EXPECT_TRUE(engine.isPlaying(sch)) << hz;
        std::vector<int16_t> rest = render(6);
        got.insert(got.end(), rest.begin(), rest.end());
        EXPECT_FALSE(engine.isPlaying(sch)) << hz;
        ASSERT_EQ(got.size(), want.size());
        for (size_t i = 0; i < got.size(); ++i) ASSERT_EQ(got[i], want[i]) << hz << " Hz, value " << i;
        engine.closeStream(stream);
    }
}

TEST_F(MixerTest, MissingAndUnusableFilesGiveNothing) {
    EXPECT_EQ(engine.loadSample(-1, soundFile("nosuch.wav").c_str(), 0, 0), nullptr);
    EXPECT_EQ(engine.loadSample(-1, "", 0, 0), nullptr);
    EXPECT_EQ(engine.openStream(soundFile("nosuch.ogg").c_str(), 0, 0), nullptr);
    EXPECT_EQ(engine.loadSample(-1, soundFile("tone44k.raw").c_str(), 0, 0), nullptr) << "headerless data";
    EXPECT_EQ(engine.loadSong(soundFile("nosuch.sgt").c_str()), nullptr);
}

} // namespace
