// Memory that may hold and run machine code.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform {

// A block of `size` bytes that may be read, written and executed; null when
// the system refuses. Linked code lives until the process ends; only a block
// whose image was refused is given back.
uint8_t* allocateExecutable(size_t size);
void freeExecutable(uint8_t* block, size_t size);

} // namespace platform
