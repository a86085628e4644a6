// libxmp under TrackerModule. Each TrackerModule has its own libxmp context,
// so songs, streams and decoding never share player state.
#include "audio/engine/tracker_module.h"

#include <algorithm>
#include <xmp.h>

namespace {

xmp_context asContext(void* p) { return static_cast<xmp_context>(p); }

} // namespace

bool TrackerModule::recognises(const uint8_t* data, size_t size) {
    if (!data || size == 0 || size > kMaxBytes) return false;
    xmp_test_info info;
    return xmp_test_module_from_memory(data, static_cast<long>(size), &info) == 0;
}

std::unique_ptr<TrackerModule> TrackerModule::load(const uint8_t* data, size_t size, int rate) {
    if (!recognises(data, size)) return nullptr;
    xmp_context context = xmp_create_context();
    if (!context) return nullptr;
    rate = std::clamp(rate, kMinRate, kMaxRate);
    if (xmp_load_module_from_memory(context, data, static_cast<long>(size)) != 0) {
        xmp_free_context(context);
        return nullptr;
    }
    if (xmp_start_player(context, rate, 0) != 0) {
        xmp_release_module(context);
        xmp_free_context(context);
        return nullptr;
    }
    return std::unique_ptr<TrackerModule>(new TrackerModule(context, rate));
}

bool TrackerModule::readFile(const char* path, std::vector<uint8_t>* bytes) {
    if (!path || !*path) return false;
    std::FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    bool read = readAll(file, bytes);
    std::fclose(file);
    return read;
}

bool TrackerModule::readAll(std::FILE* file, std::vector<uint8_t>* bytes) {
    bytes->clear();
    uint8_t block[65536];
    size_t got;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0) {
        if (bytes->size() + got > kMaxBytes) return false;
        bytes->insert(bytes->end(), block, block + got);
    }
    return !bytes->empty();
}

TrackerModule::TrackerModule(void* context, int rate) : context_(context), rate_(rate) {}

TrackerModule::~TrackerModule() {
    xmp_end_player(asContext(context_));
    xmp_release_module(asContext(context_));
    xmp_free_context(asContext(context_));
}

const char* TrackerModule::formatName() const {
    xmp_module_info info;
    xmp_get_module_info(asContext(context_), &info);
    return info.mod ? info.mod->type : "";
}

void TrackerModule::setNearestInterpolation(bool nearest) {
    xmp_set_player(asContext(context_), XMP_PLAYER_INTERP, nearest ? XMP_INTERP_NEAREST : XMP_INTERP_LINEAR);
}

void TrackerModule::restart() {
    // A fresh start of the player resets every channel and effect, which
    // restarting the position alone does not.
    xmp_end_player(asContext(context_));
    int interpolation = xmp_get_player(asContext(context_), XMP_PLAYER_INTERP);
    ended_ = xmp_start_player(asContext(context_), rate_, 0) != 0;
    xmp_set_player(asContext(context_), XMP_PLAYER_INTERP, interpolation);
    tick_.clear();
    tickAt_ = 0;
    loopsSeen_ = 0;
    emptyTicks_ = 0;
}

bool TrackerModule::nextTick() {
    if (ended_) return false;
    xmp_frame_info info;
    if (xmp_play_frame(asContext(context_)) != 0) {
        ended_ = true;
        return false;
    }
    xmp_get_frame_info(asContext(context_), &info);
    if (info.loop_count > loopsSeen_) {
        loopsSeen_ = info.loop_count;
        // This tick starts the song over.
        if (!looping_) {
            ended_ = true;
            return false;
        }
    }
    // A tick always lasts some samples at any tempo a file can set. A broken
    // file can leave libxmp at a tempo of zero, where ticks come out empty
    // and the song never reaches its end, so render() would spin for ever:
    // a run of empty ticks ends the song.
    if (info.buffer_size <= 0) {
        if (++emptyTicks_ >= kMaxEmptyTicks) {
            ended_ = true;
            return false;
        }
    } else {
        emptyTicks_ = 0;
    }
    const auto* values = static_cast<const int16_t*>(info.buffer);
    tick_.assign(values, values + std::max(info.buffer_size, 0) / 2);
    tickAt_ = 0;
    return true;
}

int TrackerModule::render(int16_t* out, int frames) {
    int done = 0;
    while (done < frames) {
        if (tickAt_ >= tick_.size() && !nextTick()) break;
        size_t n = std::min(tick_.size() - tickAt_, static_cast<size_t>(frames - done) * 2);
        std::copy_n(tick_.begin() + static_cast<std::ptrdiff_t>(tickAt_), n, out + done * 2);
        tickAt_ += n;
        done += static_cast<int>(n / 2);
    }
    return done;
}
