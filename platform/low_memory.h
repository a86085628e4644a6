// Memory for what compiled code holds as a 32-bit value: objects (a handle is
// the object's address), strings, custom-type objects and array storage.
//
// On a 32-bit target every address fits and this is the C heap. On a 64-bit
// host (the native build of the sanitizer tests and fuzzers) the blocks come
// from an arena in the low 4 GB instead, so that the same 32-bit fields and
// handles still hold them; that arena keeps the sanitizers' checks (bounds,
// use after free, double free) on its blocks.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>

namespace platform {

#if UINTPTR_MAX > 0xFFFFFFFFu
// Null when the arena is exhausted, like malloc.
void* lowArenaAllocate(size_t size);
void lowArenaFree(void* block);

inline void* allocateLow(size_t size) { return lowArenaAllocate(size); }
inline void freeLow(void* block) { lowArenaFree(block); }
#else
inline void* allocateLow(size_t size) { return std::malloc(size); }
inline void freeLow(void* block) { std::free(block); }
#endif

// Zeroed memory for `count` elements of `size` bytes; null when the product
// overflows or the memory is not there.
inline void* callocateLow(size_t count, size_t size) {
#if UINTPTR_MAX > 0xFFFFFFFFu
    if (size && count > SIZE_MAX / size) return nullptr;
    void* block = lowArenaAllocate(count * size);
    if (block) __builtin_memset(block, 0, count * size);
    return block;
#else
    return std::calloc(count, size);
#endif
}

} // namespace platform
