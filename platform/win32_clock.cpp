// The millisecond clock on the multimedia timer's time base, and Sleep.
#include <windows.h>

#include <mmsystem.h>

#include "platform/clock.h"

namespace platform {

uint32_t milliSecs() { return timeGetTime(); }

void sleepMilliseconds(unsigned ms) { Sleep(ms); }

} // namespace platform
