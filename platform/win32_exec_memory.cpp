#include "platform/exec_memory.h"

#include <windows.h>

namespace platform {

uint8_t* allocateExecutable(size_t size) {
    // VirtualAlloc refuses a size of 0; an empty code block still needs a base.
    void* block = VirtualAlloc(nullptr, size ? size : 1, MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
    return static_cast<uint8_t*>(block);
}

void freeExecutable(uint8_t* block, size_t) { VirtualFree(block, 0, MEM_RELEASE); }

} // namespace platform
