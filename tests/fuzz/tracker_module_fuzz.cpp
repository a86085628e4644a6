// Fuzz target: tracker modules of every format libxmp reads, loaded from
// arbitrary bytes and, when they load, played for up to two seconds.
#include <cstddef>
#include <cstdint>

#include "audio/engine/tracker_module.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::unique_ptr<TrackerModule> module = TrackerModule::load(data, size, 22050);
    if (!module) return 0;
    int16_t block[1024 * 2];
    for (int played = 0, n; played < 2 * 22050; played += n)
        if ((n = module->render(block, 1024)) <= 0) break;
    return 0;
}
