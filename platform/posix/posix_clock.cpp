// The clock on POSIX systems, for the native build.
#include <time.h>

#include "platform/clock.h"

namespace platform {

uint32_t milliSecs() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint32_t>(now.tv_sec * 1000ull + now.tv_nsec / 1000000);
}

void sleepMilliseconds(unsigned ms) {
    timespec wait{static_cast<time_t>(ms / 1000), static_cast<long>(ms % 1000) * 1000000L};
    while (nanosleep(&wait, &wait) != 0) {
    }
}

} // namespace platform
