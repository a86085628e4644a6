// TrackerModule: a tracker module (MOD, S3M, XM, IT and the other formats
// libxmp reads) loaded from memory and rendered by libxmp to 16-bit stereo.
//
// The song ends where its order list first wraps around: the tick that
// would start the repeat is not rendered, so a song that is not looping has
// exactly the length its rows, speeds and tempos give it. A looping song
// plays on from its restart position for ever.
//
// render() runs on whichever thread mixes; setLooping() may be called from
// another thread at any time. restart() must not run at the
// same time as render().
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <vector>

class TrackerModule {
public:
    // Files larger than this are not read (the largest real modules are a
    // few tens of megabytes).
    static constexpr size_t kMaxBytes = 64u << 20;
    // libxmp renders at 8,000 .. 48,000 Hz.
    static constexpr int kMinRate = 8000;
    static constexpr int kMaxRate = 48000;

    // Whether libxmp recognises the bytes as a module of some format.
    static bool recognises(const uint8_t* data, size_t size);
    // Null when the bytes are not a module libxmp can load and play at
    // `rate` (clamped to kMinRate .. kMaxRate).
    static std::unique_ptr<TrackerModule> load(const uint8_t* data, size_t size, int rate);
    // Read the whole file (at most kMaxBytes) for load(); false when it is
    // empty, larger or unreadable.
    static bool readFile(const char* path, std::vector<uint8_t>* bytes);
    static bool readAll(std::FILE* file, std::vector<uint8_t>* bytes);

    ~TrackerModule();
    TrackerModule(const TrackerModule&) = delete;
    TrackerModule& operator=(const TrackerModule&) = delete;

    int rate() const { return rate_; }
    // The format as libxmp names it ("Fast Tracker II", ...).
    const char* formatName() const;

    // Renders up to `frames` stereo frames into `out`; fewer only when the
    // song ended (0 from then on, until restart()).
    int render(int16_t* out, int frames);
    // Back to the first tick of the song.
    void restart();
    void setLooping(bool looping) { looping_ = looping; }
    // Plain sample-and-hold instead of interpolation (for tests that check
    // rendered values against the source sample).
    void setNearestInterpolation(bool nearest);

private:
    TrackerModule(void* context, int rate);
    bool nextTick();

    // Empty ticks in a row after which the song counts as ended.
    static constexpr int kMaxEmptyTicks = 256;

    void* context_; // xmp_context
    int rate_;
    std::vector<int16_t> tick_; // the rendered tick not yet handed out
    size_t tickAt_ = 0;          // values of tick_ handed out
    int loopsSeen_ = 0;
    int emptyTicks_ = 0;
    bool ended_ = false;
    std::atomic<bool> looping_{false};
};
