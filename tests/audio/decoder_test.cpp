// The decoders against the raw twins of files made by sox, oggenc and lame,
// and WAV files with hostile headers, which must fail to load without
// allocating what they claim.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "audio/engine/mp3_frame.h"
#include "audio/engine/sound_decoder.h"
#include "sound_files.h"

namespace {

PcmBuffer decode(const char* name) {
    PcmBuffer pcm;
    EXPECT_TRUE(decodeSoundFile(soundFile(name).c_str(), &pcm)) << name;
    return pcm;
}

TEST(WavDecoder, EveryIntegerAndFloatWidthGivesTheSourceValues) {
    std::vector<int16_t> src = rawSamples("stereo.raw");
    ASSERT_FALSE(src.empty());
    for (const char* name : {"stereo.wav", "stereo24.wav", "stereo32.wav", "stereo_float.wav"}) {
        PcmBuffer pcm = decode(name);
        EXPECT_EQ(pcm.channels, 2) << name;
        EXPECT_EQ(pcm.rate, 44100) << name;
        ASSERT_EQ(pcm.data.size(), src.size()) << name;
        for (size_t i = 0; i < src.size(); ++i) ASSERT_EQ(pcm.data[i], src[i]) << name << " value " << i;
    }
}

TEST(WavDecoder, EightBitIsUnsignedAroundTheMiddle) {
    std::vector<uint8_t> src = rawBytes("tone8.raw");
    ASSERT_FALSE(src.empty());
    PcmBuffer pcm = decode("tone8.wav");
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_EQ(pcm.rate, 11025);
    ASSERT_EQ(pcm.data.size(), src.size());
    for (size_t i = 0; i < src.size(); ++i) ASSERT_EQ(pcm.data[i], (src[i] - 128) * 256) << i;
}

TEST(VorbisDecoder, MatchesTheReferenceDecode) {
    std::vector<int16_t> ref = rawSamples("song_ref.raw");
    ASSERT_FALSE(ref.empty());
    PcmBuffer pcm = decode("song.ogg");
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_EQ(pcm.rate, 32000);
    ASSERT_EQ(pcm.data.size(), ref.size());
    // Two float decoders: equal up to rounding.
    int worst = 0;
    for (size_t i = 0; i < ref.size(); ++i) worst = std::max(worst, std::abs(pcm.data[i] - ref[i]));
    EXPECT_LE(worst, 2);
}

// Codecs of the platform: IMA ADPCM in a WAV file, and MP3. Lossy codecs
// are compared by length and by how far they stray from the reference.
#ifdef _WIN32
TEST(PlatformCodecs, CompressedWavMatchesTheReferenceDecode) {
    std::vector<int16_t> ref = rawSamples("ima_ref.raw");
    ASSERT_FALSE(ref.empty());
    PcmBuffer pcm = decode("ima.wav");
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_EQ(pcm.rate, 32000);
    // Decoders may or may not keep the padding of the last block.
    EXPECT_NEAR(static_cast<double>(pcm.data.size()), static_cast<double>(ref.size()), 2048.0);
    int worst = 0;
    for (size_t i = 0; i < std::min(ref.size(), pcm.data.size()); ++i) worst = std::max(worst, std::abs(pcm.data[i] - ref[i]));
    EXPECT_LE(worst, 64);
}

TEST(PlatformCodecs, Mp3DecodesToTheSourcesLengthAndLoudness) {
    std::vector<int16_t> src = rawSamples("long.raw");
    PcmBuffer pcm = decode("song.mp3");
    EXPECT_EQ(pcm.channels, 1);
    EXPECT_EQ(pcm.rate, 32000);
    EXPECT_GE(pcm.frames(), static_cast<int>(src.size()) - 1152);
    EXPECT_LE(pcm.frames(), static_cast<int>(src.size()) + 3 * 1152);
    auto rms = [](const std::vector<int16_t>& v) {
        double sum = 0;
        for (int16_t x : v) sum += double(x) * x;
        return v.empty() ? 0.0 : std::sqrt(sum / v.size());
    };
    double want = rms(src), got = rms(pcm.data);
    EXPECT_NEAR(got, want, want * 0.2);
}
#endif

TEST(Mp3Frames, OnlyTwoConsecutiveFramesMakeAnMp3File) {
    std::vector<uint8_t> mp3 = rawBytes("song.mp3");
    ASSERT_GT(mp3.size(), 1000u);
    std::string path = soundFile("probe.bin");
    Mp3Frame frame;
    writeBytes(path, mp3);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    EXPECT_GE(findMp3Start(f, &frame), 0);
    EXPECT_EQ(frame.rate, 32000);
    EXPECT_EQ(frame.channels, 1);
    EXPECT_EQ(frame.bitrate, 128000);
    std::fclose(f);
    // One lone sync word in other data is not a file.
    std::vector<uint8_t> other(5000, 0x11);
    other[100] = 0xFF, other[101] = 0xFB, other[102] = 0x90, other[103] = 0x64;
    writeBytes(path, other);
    f = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(findMp3Start(f, &frame), -1);
    std::fclose(f);
    // An ID3 tag claiming more than the file holds.
    std::vector<uint8_t> tag = {'I', 'D', '3', 3, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F};
    writeBytes(path, tag);
    f = std::fopen(path.c_str(), "rb");
    EXPECT_EQ(findMp3Start(f, &frame), -1);
    std::fclose(f);
}

// A WAV header for 16-bit PCM around `data` bytes, with fields to spoil.
std::vector<uint8_t> wavFile(int channels, uint32_t rate, int bits, uint32_t dataSize, uint32_t actualData) {
    std::vector<uint8_t> f;
    auto put = [&f](uint32_t v, int n) {
        for (int i = 0; i < n; ++i) f.push_back(static_cast<uint8_t>(v >> (8 * i)));
    };
    f.insert(f.end(), {'R', 'I', 'F', 'F'});
    put(36 + actualData, 4);
    f.insert(f.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' '});
    put(16, 4);
    put(1, 2);
    put(channels, 2);
    put(rate, 4);
    put(rate * channels * bits / 8, 4);
    put(channels * bits / 8, 2);
    put(bits, 2);
    f.insert(f.end(), {'d', 'a', 't', 'a'});
    put(dataSize, 4);
    for (uint32_t i = 0; i < actualData; ++i) f.push_back(static_cast<uint8_t>(i * 37));
    return f;
}

TEST(WavDecoder, HostileHeadersFailToLoad) {
    std::string path = soundFile("hostile.wav");
    struct Case {
        const char* what;
        std::vector<uint8_t> bytes;
    } cases[] = {
        {"data size beyond the file", wavFile(2, 44100, 16, 0x7FFFFFF0, 400)},
        {"65535 channels", wavFile(65535, 44100, 16, 400, 400)},
        {"rate 0", wavFile(1, 0, 16, 400, 400)},
        {"rate 4 GHz", wavFile(1, 4000000000u, 16, 400, 400)},
        {"12-bit samples", wavFile(1, 44100, 12, 400, 400)},
        {"no frames", wavFile(1, 44100, 16, 0, 0)},
    };
    for (Case& c : cases) {
        writeBytes(path, c.bytes);
        PcmBuffer pcm;
        EXPECT_FALSE(decodeSoundFile(path.c_str(), &pcm)) << c.what;
    }
    // Cut short inside the format chunk.
    std::vector<uint8_t> good = wavFile(1, 44100, 16, 400, 400);
    writeBytes(path, std::vector<uint8_t>(good.begin(), good.begin() + 30));
    PcmBuffer pcm;
    EXPECT_FALSE(decodeSoundFile(path.c_str(), &pcm)) << "truncated header";
    // The same file whole loads: the cases above failed for their fault.
    writeBytes(path, good);
    EXPECT_TRUE(decodeSoundFile(path.c_str(), &pcm));
    EXPECT_EQ(pcm.frames(), 200);
}

TEST(VorbisDecoder, BrokenPagesFailOrEndEarly) {
    std::vector<uint8_t> ogg = rawBytes("song.ogg");
    ASSERT_GT(ogg.size(), 200u);
    std::string path = soundFile("broken.ogg");
    // Headers cut off: nothing to decode.
    writeBytes(path, std::vector<uint8_t>(ogg.begin(), ogg.begin() + 60));
    PcmBuffer pcm;
    EXPECT_FALSE(decodeSoundFile(path.c_str(), &pcm));
    // Garbage over the audio pages: whatever decodes is bounded.
    std::vector<uint8_t> spoiled = ogg;
    srand(7);
    for (size_t i = ogg.size() * 3 / 4; i < ogg.size(); ++i) spoiled[i] = static_cast<uint8_t>(rand());
    writeBytes(path, spoiled);
    if (decodeSoundFile(path.c_str(), &pcm)) {
        EXPECT_LE(pcm.frames(), 2 * static_cast<int>(rawSamples("song_ref.raw").size()));
    }
}

} // namespace
