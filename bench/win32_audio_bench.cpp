// Sound engine speed: 256 channels of 16-bit stereo samples with varied
// volume, pan and pitch mixed offline, as a multiple of real time on one
// core (the target is at least 20x); and the decoders' speed as multiples of
// real time for WAV, Ogg Vorbis, MP3 and XM files written here (the Ogg and
// MP3 files only when oggenc and lame are on the path); and, where
// DirectSound opens, the time from a play to the mixer writing the sound's
// first frames into the device's buffer. Files lie in the current directory and are
// removed at the end. The machine may be shared, so the mixer's figure is
// also given by the CPU time of the mixing thread, which is what "on one
// core" means.
#include <windows.h>

#include <cmath>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "audio/engine/sound_decoder.h"
#include "audio/engine/sound_engine.h"
#include "bench/support/bench_clock.h"
#include "bench/support/busy_xm.h"

namespace {

void put(std::FILE* f, uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) std::fputc(static_cast<int>(v >> (8 * i)) & 0xFF, f);
}

// A stereo 16-bit WAV of two tones.
void writeWav(const char* path, int rate, int frames) {
    std::FILE* f = std::fopen(path, "wb");
    std::fputs("RIFF", f);
    put(f, 36 + frames * 4, 4);
    std::fputs("WAVEfmt ", f);
    put(f, 16, 4);
    put(f, 1, 2);
    put(f, 2, 2);
    put(f, rate, 4);
    put(f, rate * 4, 4);
    put(f, 4, 2);
    put(f, 16, 2);
    std::fputs("data", f);
    put(f, frames * 4, 4);
    for (int i = 0; i < frames; ++i) {
        put(f, static_cast<uint16_t>(static_cast<int16_t>(12000 * std::sin(i * 0.031))), 2);
        put(f, static_cast<uint16_t>(static_cast<int16_t>(9000 * std::sin(i * 0.047))), 2);
    }
    std::fclose(f);
}

double threadSeconds() {
    FILETIME created, exited, kernel, user;
    GetThreadTimes(GetCurrentThread(), &created, &exited, &kernel, &user);
    auto seconds = [](const FILETIME& t) {
        return (static_cast<uint64_t>(t.dwHighDateTime) << 32 | t.dwLowDateTime) / 1e7;
    };
    return seconds(kernel) + seconds(user);
}

double decodeSpeed(const char* path) {
    PcmBuffer pcm;
    BenchClock clock;
    if (!decodeSoundFile(path, &pcm)) return 0;
    return (static_cast<double>(pcm.frames()) / pcm.rate) / clock.seconds();
}

// Plays `sample` repeatedly on the device output and reports the time until
// the output pump has mixed its first frames into the device buffer.
void measureLatency(const char* wav) {
    SoundEngine engine;
    if (!engine.init(44100, 256, 0) || std::string(engine.outputName()) != "DirectSound") {
        std::printf("latency: DirectSound did not open (output: %s), not measured\n", engine.outputName());
        return;
    }
    SoundSample* sample = engine.loadSample(-1, wav, 0, 0);
    double total = 0, worst = 0;
    const int trials = 20;
    for (int i = 0; i < trials; ++i) {
        BenchClock clock;
        int ch = engine.playSample(-1, sample, false);
        while (engine.playedFrames(ch) == 0 && clock.seconds() < 1.0) Sleep(0);
        double ms = clock.seconds() * 1000;
        total += ms;
        worst = std::max(worst, ms);
        engine.stopChannel(ch);
        Sleep(7 * i % 11); // start at different points of the pump's period
    }
    report("PlaySound to the first frame in the DirectSound buffer, mean", total / trials, "ms");
    report("PlaySound to the first frame in the DirectSound buffer, worst", worst, "ms");
}

} // namespace

int main() {
    const char* wav = "audio_bench.wav";
    writeWav(wav, 44100, 44100 * 3);

    SoundEngine engine;
    engine.init(44100, 256, 0, SoundEngine::Output::Offline);
    SoundSample* sample = engine.loadSample(-1, wav, kLoopNormal, 0);
    if (!sample) {
        std::printf("audio bench: the test sample did not load\n");
        return 1;
    }
    for (int i = 0; i < 256; ++i) {
        int ch = engine.playSample(-1, sample, false);
        engine.setVolume(ch, 40 + i % 200);
        engine.setPan(ch, (i * 37) % 256);
        engine.setFrequency(ch, 22050 + (i * 331) % 44100);
    }
    const int seconds = 20;
    std::vector<int16_t> out(1024 * 2);
    BenchClock clock;
    double cpuStart = threadSeconds();
    for (int done = 0; done < 44100 * seconds; done += 1024) engine.render(out.data(), 1024);
    double cpu = threadSeconds() - cpuStart;
    report("mixer, 256 channels, 16-bit stereo, varied pitch (wall clock)", seconds / clock.seconds(), "x real time");
    if (cpu > 0) report("mixer, 256 channels, 16-bit stereo, varied pitch (CPU time)", seconds / cpu, "x real time");
    engine.close();

    report("WAV decode", decodeSpeed(wav), "x real time");
    std::remove("audio_bench.ogg");
    if (std::system("oggenc -Q -o audio_bench.ogg audio_bench.wav") == 0)
        report("Ogg Vorbis decode", decodeSpeed("audio_bench.ogg"), "x real time");
    std::remove("audio_bench.ogg");
    std::remove("audio_bench.mp3");
    if (std::system("lame --quiet -b 128 audio_bench.wav audio_bench.mp3") == 0)
        report("MP3 decode (audio compression manager)", decodeSpeed("audio_bench.mp3"), "x real time");
    std::remove("audio_bench.mp3");
    std::vector<uint8_t> xm = busyXm();
    if (std::FILE* f = std::fopen("audio_bench.xm", "wb")) {
        std::fwrite(xm.data(), 1, xm.size(), f);
        std::fclose(f);
        report("XM decode (16 busy channels)", decodeSpeed("audio_bench.xm"), "x real time");
    }
    std::remove("audio_bench.xm");
    measureLatency(wav);
    std::remove(wav);
    return 0;
}
