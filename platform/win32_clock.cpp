// The WinMM millisecond clock and Sleep.
#include <windows.h>

#include <mmsystem.h>

#include "platform/clock.h"

namespace platform {

unsigned milliseconds() { return timeGetTime(); }

void sleepMilliseconds(unsigned ms) { Sleep(ms); }

} // namespace platform
