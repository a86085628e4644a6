// Memory that may hold and run machine code.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// A block of `size` bytes that may be read, written and executed; null when
// the system refuses. Never freed: linked code lives until the process ends.
uint8_t* allocateExecutable(size_t size);

} // namespace platform
