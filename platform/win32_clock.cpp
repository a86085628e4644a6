// The millisecond clock on the multimedia timer's time base.
#include "platform/clock.h"

#include <windows.h>

#include <mmsystem.h>

namespace platform {

uint32_t milliSecs() { return timeGetTime(); }

} // namespace platform
