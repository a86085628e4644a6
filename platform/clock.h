// The system's millisecond clock (the one MilliSecs reads) and sleeping. The
// clock wraps around every 49.7 days, so compare readings by difference,
// never by order.
#pragma once

#include <cstdint>

namespace platform {

uint32_t milliSecs();
// Suspends the calling thread for `ms` milliseconds.
void sleepMilliseconds(unsigned ms);

} // namespace platform
