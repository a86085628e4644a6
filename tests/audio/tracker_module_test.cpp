// Tracker modules written by make_modules.py, checked against what their
// formats fix: how long the song lasts (rows x speed ticks of 2.5 / tempo
// seconds), the rate the note plays its sample at, and, for a one-shot MOD
// sample, the values themselves. Then the module as a sound, a stream and a
// song in the engine, and hostile files.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>

#include "audio/engine/sound_decoder.h"
#include "audio/engine/sound_engine.h"
#include "audio/engine/tracker_module.h"
#include "sound_files.h"

namespace {

constexpr int kRate = 44100;

std::unique_ptr<TrackerModule> loadModule(const char* name) {
    std::vector<uint8_t> bytes;
    EXPECT_TRUE(TrackerModule::readFile(soundFile(name).c_str(), &bytes)) << name;
    return TrackerModule::load(bytes.data(), bytes.size(), kRate);
}

std::vector<int16_t> renderAll(TrackerModule& m, int limit = 10 * kRate) {
    std::vector<int16_t> out(static_cast<size_t>(limit) * 2);
    int got = 0, n;
    // Odd block sizes, so ticks are handed out across calls.
    while (got < limit && (n = m.render(out.data() + got * 2, std::min(997, limit - got))) > 0) got += n;
    out.resize(static_cast<size_t>(got) * 2);
    return out;
}

// Frames where the left side changes sign.
std::vector<int> signChanges(const std::vector<int16_t>& out) {
    std::vector<int> at;
    int previous = 0;
    for (size_t i = 0; i < out.size() / 2; ++i) {
        int s = (out[i * 2] > 0) - (out[i * 2] < 0);
        if (s && previous && s != previous) at.push_back(static_cast<int>(i));
        if (s) previous = s;
    }
    return at;
}

struct Tone {
    const char* file;
    int frames;     // rows * speed * (kRate * 2.5 / tempo)
    double hz;      // the sample's playback rate for the note
};
const Tone kTones[] = {
    {"tone.mod", 4 * 6 * 882, 7093789.2 / (2 * 428)},
    {"tone.xm", 4 * 4 * 882, 8363},
    {"tone.s3m", 4 * 6 * 735, 8363},
    {"tone.it", 4 * 3 * 750, 8363},
};

TEST(TrackerModule, EachFormatLastsItsRowsAndPlaysTheNoteAtItsRate) {
    for (const Tone& t : kTones) {
        std::unique_ptr<TrackerModule> m = loadModule(t.file);
        ASSERT_TRUE(m) << t.file;
        std::vector<int16_t> out = renderAll(*m);
        EXPECT_EQ(static_cast<int>(out.size() / 2), t.frames) << t.file;
        EXPECT_EQ(m->render(out.data(), 100), 0) << t.file << " ended";
        // The square wave changes sign every 16 sample frames: between
        // frames 15 and 16 of each half, where the interpolation crosses 0.
        std::vector<int> changes = signChanges(out);
        int expected = static_cast<int>((t.frames * t.hz / kRate + 0.5) / 16);
        EXPECT_NEAR(static_cast<int>(changes.size()), expected, 1) << t.file;
        for (size_t k = 0; k < changes.size(); ++k) {
            double at = ((k + 1) * 16 - 0.5) * kRate / t.hz;
            ASSERT_NEAR(changes[k], at, 2.0) << t.file << " change " << k;
        }
    }
}

TEST(TrackerModule, AOneShotModSampleIsResampledFromThePeriodAndThenFallsSilent) {
    std::vector<uint8_t> raw = rawBytes("shot.raw");
    ASSERT_EQ(raw.size(), 512u);
    std::unique_ptr<TrackerModule> m = loadModule("shot.mod");
    ASSERT_TRUE(m);
    m->setNearestInterpolation(true);
    std::vector<int16_t> out = renderAll(*m);
    ASSERT_EQ(static_cast<int>(out.size() / 2), 8 * 6 * 882);
    auto sample = [&](int j) { return static_cast<int>(static_cast<int8_t>(raw[j])); };
    ASSERT_NE(sample(0), 0);
    int gain = out[0] / sample(0);
    ASSERT_GT(gain, 0);
    // Period 428 plays 8287 frames a second: output frame i shows sample
    // frame i * 8287 / 44100 (the player's own stepping may round to a
    // neighbour near a boundary).
    const double step = 7093789.2 / (2 * 428) / kRate;
    int end = static_cast<int>(512 / step), exact = 0;
    for (int i = 0; i < end; ++i) {
        int j = static_cast<int>(i * step);
        int got = out[i * 2];
        bool near = false;
        for (int d = -1; d <= 1; ++d)
            if (j + d >= 0 && j + d < 512 && got == gain * sample(j + d)) near = true;
        ASSERT_TRUE(near) << "frame " << i << " got " << got << " want " << gain * sample(j);
        exact += got == gain * sample(j);
        ASSERT_EQ(out[i * 2 + 1], 0) << "the first Amiga channel is on the left only";
    }
    EXPECT_GT(exact, end * 98 / 100);
    for (size_t i = static_cast<size_t>(end + 300) * 2; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i / 2;
}

TEST(TrackerModule, LoopingAndRestart) {
    std::unique_ptr<TrackerModule> once = loadModule("tone.xm");
    std::unique_ptr<TrackerModule> m = loadModule("tone.xm");
    ASSERT_TRUE(once && m);
    std::vector<int16_t> reference = renderAll(*once);
    const int song = 4 * 4 * 882;
    ASSERT_EQ(static_cast<int>(reference.size() / 2), song);

    m->setLooping(true);
    std::vector<int16_t> looped = renderAll(*m, song * 3 - 1000);
    ASSERT_EQ(static_cast<int>(looped.size() / 2), song * 3 - 1000) << "a looping song goes on";
    // The second pass starts the note again: the same sign changes, one song later.
    std::vector<int16_t> second(looped.begin() + song * 2, looped.begin() + song * 4);
    std::vector<int> a = signChanges(reference), b;
    ASSERT_FALSE(a.empty());
    // (The first pass's note fades out over the new note's first frames.)
    for (int at : signChanges(second))
        if (at > a[0] - 10) b.push_back(at);
    ASSERT_EQ(a.size(), b.size());
    for (size_t k = 0; k < a.size(); ++k) EXPECT_NEAR(a[k], b[k], 1) << k;
    // Looping switched off mid-song ends it at the next wrap.
    m->setLooping(false);
    int16_t block[2000];
    int rest = 0, n;
    while ((n = m->render(block, 1000)) > 0) rest += n;
    EXPECT_EQ(rest, 1000) << "the third pass plays to its end and stops";

    m->restart();
    EXPECT_EQ(renderAll(*m), reference) << "restart plays the same song again";
}

TEST(TrackerModule, ModulesDecodeAsSoundsWhateverTheirName) {
    PcmBuffer pcm;
    ASSERT_TRUE(decodeSoundFile(soundFile("tone.it").c_str(), &pcm));
    EXPECT_EQ(pcm.channels, 2);
    EXPECT_EQ(pcm.rate, kRate);
    EXPECT_EQ(pcm.frames(), 4 * 3 * 750);
    // Recognised by content, not by name.
    std::string renamed = soundFile("tone_s3m.dat");
    writeBytes(renamed, rawBytes("tone.s3m"));
    ASSERT_TRUE(decodeSoundFile(renamed.c_str(), &pcm));
    EXPECT_EQ(pcm.frames(), 4 * 6 * 735);
}

// Plays up to `limit` frames of a module made from hostile bytes: every
// render keeps to the frames asked for.
void playBounded(TrackerModule& m, int limit) {
    int16_t block[997 * 2];
    for (int got = 0, n; got < limit; got += n) {
        n = m.render(block, 997);
        ASSERT_GE(n, 0);
        ASSERT_LE(n, 997);
        if (n == 0) break;
    }
}

TEST(TrackerModule, HostileFilesFailOrPlayWithoutHarm) {
    std::vector<uint8_t> noise(4096);
    uint32_t x = 12345;
    for (uint8_t& b : noise) b = static_cast<uint8_t>((x = x * 1103515245 + 12345) >> 16);
    EXPECT_FALSE(TrackerModule::load(noise.data(), noise.size(), kRate));
    EXPECT_FALSE(TrackerModule::load(nullptr, 0, kRate));
    std::string garbage = soundFile("garbage.mod");
    writeBytes(garbage, noise);
    PcmBuffer pcm;
    EXPECT_FALSE(decodeSoundFile(garbage.c_str(), &pcm));

    for (const char* name : {"tone.mod", "tone.xm", "tone.s3m", "tone.it"}) {
        std::vector<uint8_t> file = rawBytes(name);
        ASSERT_FALSE(file.empty()) << name;
        // Truncations, and bytes of the headers and patterns turned to
        // extremes (sizes, counts, pointers, notes and effects).
        const int cap = kRate / 4;
        for (size_t cut = 0; cut < file.size(); cut += 11) {
            std::unique_ptr<TrackerModule> m = TrackerModule::load(file.data(), cut, kRate);
            if (cut < 64) {
                EXPECT_FALSE(m) << name << " cut at " << cut << " has no whole header";
            } else if (m) {
                playBounded(*m, cap);
            }
        }
        for (size_t at = 0; at < std::min<size_t>(file.size(), 400); at += at < 128 ? 1 : 3) {
            for (uint8_t value : {0x00, 0xFF}) {
                std::vector<uint8_t> bent = file;
                bent[at] = value;
                std::unique_ptr<TrackerModule> m = TrackerModule::load(bent.data(), bent.size(), kRate);
                if (m) playBounded(*m, cap);
            }
        }
    }
}

// Renders `frames` frames of the engine's mix.
std::vector<int16_t> mix(SoundEngine& e, int frames) {
    std::vector<int16_t> out(static_cast<size_t>(frames) * 2);
    for (int at = 0; at < frames; at += 512) e.render(out.data() + at * 2, std::min(512, frames - at));
    return out;
}

TEST(TrackerSong, PlaysInTheMixForItsLengthLoopsPausesAndFollowsTheMasterVolume) {
    SoundEngine e;
    ASSERT_TRUE(e.init(kRate, 256, 1, SoundEngine::Output::Offline));
    std::unique_ptr<TrackerModule> alone = loadModule("tone.s3m");
    ASSERT_TRUE(alone);
    std::vector<int16_t> reference = renderAll(*alone);
    const int song = 4 * 6 * 735;

    SoundSong* s = e.loadSong(soundFile("tone.s3m").c_str());
    ASSERT_TRUE(s);
    EXPECT_FALSE(e.isSongPlaying(s));
    e.setSongLooping(s, false);
    ASSERT_TRUE(e.playSong(s));
    EXPECT_TRUE(e.isSongPlaying(s));
    std::vector<int16_t> out = mix(e, song - 512);
    EXPECT_TRUE(e.isSongPlaying(s));
    std::vector<int16_t> tail = mix(e, 4096);
    EXPECT_FALSE(e.isSongPlaying(s)) << "the song ended";
    out.insert(out.end(), tail.begin(), tail.end());
    // At the module's own rate and full volume the mix is the module itself.
    for (int i = 0; i < song * 2; ++i) ASSERT_EQ(out[i], reference[i]) << i / 2;
    for (size_t i = song * 2; i < out.size(); ++i) ASSERT_EQ(out[i], 0) << i / 2;

    // Playing again starts over; paused, it holds its place.
    e.setSongLooping(s, true);
    ASSERT_TRUE(e.playSong(s));
    e.setSongPaused(s, true);
    std::vector<int16_t> held = mix(e, song * 2);
    for (int16_t v : held) ASSERT_EQ(v, 0);
    EXPECT_TRUE(e.isSongPlaying(s));
    e.setSongPaused(s, false);
    e.setSongMasterVolume(s, 128);
    std::vector<int16_t> halfOut = mix(e, 1000);
    // Heard at once: the channel's gain for volume 128 on every value.
    const int gain = SoundMixer::gain(128, 255);
    for (int i = 0; i < 2000; ++i) ASSERT_EQ(halfOut[i], (reference[i] * gain) >> 16) << i / 2;
    std::vector<int16_t> more = mix(e, song * 2);
    EXPECT_TRUE(e.isSongPlaying(s)) << "a looping song goes on";
    e.stopSong(s);
    EXPECT_FALSE(e.isSongPlaying(s));

    // A module as a stream, and a song left playing when the engine closes.
    SoundStream* stream = e.openStream(soundFile("tone.it").c_str(), 0, 0);
    ASSERT_TRUE(stream);
    int channel = e.playStream(-1, stream, false);
    EXPECT_GE(channel, 0);
    mix(e, 4 * 3 * 750 + 4096 + 512);
    EXPECT_FALSE(e.isPlaying(channel)) << "the stream ends with the song";
    e.closeStream(stream);
    ASSERT_TRUE(e.playSong(s));
    e.close();
}

TEST(TrackerSong, SegmentsAndFilesThatAreNotModulesDoNotLoad) {
    SoundEngine e;
    ASSERT_TRUE(e.init(kRate, 256, 1, SoundEngine::Output::Offline));
    std::string segment = soundFile("tone_xm.sgt");
    writeBytes(segment, rawBytes("tone.xm"));
    EXPECT_FALSE(e.loadSong(segment.c_str()));
    EXPECT_FALSE(e.loadSong(soundFile("tone44k.wav").c_str()));
    EXPECT_FALSE(e.loadSong(soundFile("nosuch.xm").c_str()));
    std::string garbage = soundFile("garbage.it");
    writeBytes(garbage, std::vector<uint8_t>(3000, 0x49));
    EXPECT_FALSE(e.loadSong(garbage.c_str()));
}

} // namespace
