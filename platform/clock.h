// The system's millisecond clock and sleeping, for the clock commands and the
// timers.
#pragma once

namespace platform {

// Milliseconds since the system started; wraps around after about 49.7 days.
unsigned milliseconds();
// Suspends the calling thread for `ms` milliseconds.
void sleepMilliseconds(unsigned ms);

} // namespace platform
