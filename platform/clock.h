// The millisecond system clock (the one MilliSecs reads): wraps around every
// 49.7 days, so compare readings by difference, never by order.
#pragma once

#include <cstdint>

namespace platform {

uint32_t milliSecs();

} // namespace platform
