// KrString objects and the shared strings: allocation of object and text in
// one block (small blocks come from per-size free lists, since the system
// heap costs several times the rest of a concatenation), and the module
// "KrString", which makes the shared empty string,
// "NaN", "Infinity", "-Infinity" and the 256 one-character strings when it
// starts. The shared strings live in a static arena of their own and are
// never freed, not even when compiled code releases one once too often.
#include "lang/kr_string.h"

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <new>

#include "lang/byte_copy.h"
#include "platform/low_memory.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"

// vtable, reference count, length, text: what compiled code and hosts read.
static_assert(sizeof(void*) != 4 || sizeof(KrString) == 16);

// Makes a shared string in the arena (once per process, at start).
KrString* krMakeSharedString(const char* bytes, int length);

namespace {

struct SharedStrings {
    KrString* empty = nullptr;
    KrString* nan = nullptr;
    KrString* infinity = nullptr;
    KrString* negInfinity = nullptr;
    KrString* chars[256] = {};
};

SharedStrings shared;

// The arena: one slot per shared string, each with room for the longest
// shared text ("-Infinity").
constexpr int kSharedCount = 4 + 256;
constexpr int kSharedTextRoom = 16;
constexpr size_t kSharedSlot = (sizeof(KrString) + kSharedTextRoom + 7) & ~size_t{7};
alignas(8) char sharedArena[kSharedCount * kSharedSlot];
int sharedMade = 0;

bool isShared(const void* s) {
    uintptr_t at = reinterpret_cast<uintptr_t>(s), start = reinterpret_cast<uintptr_t>(sharedArena);
    return at - start < sizeof sharedArena;
}

// Made on the module's start, or earlier when another module's start already
// needs a string; made once per process.
__attribute__((noinline)) void makeSharedStrings() {
    if (shared.empty) return;
    shared.empty = krMakeSharedString("", 0);
    shared.nan = krMakeSharedString("NaN", 3);
    shared.infinity = krMakeSharedString("Infinity", 8);
    shared.negInfinity = krMakeSharedString("-Infinity", 9);
    for (int i = 0; i < 256; ++i) {
        char c = static_cast<char>(i);
        shared.chars[i] = krMakeSharedString(&c, 1);
    }
}

// Blocks of up to kPooledLimit bytes, in classes of 16 bytes, are carved from
// chunks and recycled through one free list per class; they are never given
// back to the system. The class of a string's block follows from its length,
// so nothing needs to be stored to free it. Strings live on the program's
// thread only, so the lists take no lock.
constexpr size_t kGrain = 16;
constexpr size_t kPooledLimit = 256;
constexpr size_t kChunkSize = 64 * 1024;

struct FreeBlock {
    FreeBlock* next;
};

FreeBlock* freeBlocks[kPooledLimit / kGrain + 1];

size_t blockSize(int length) { return sizeof(KrString) + static_cast<size_t>(length) + 1; }

__attribute__((noinline)) void carveChunk(size_t sizeClass) {
    size_t size = sizeClass * kGrain;
    char* chunk = static_cast<char*>(platform::allocateLow(kChunkSize));
    if (!chunk) runtimeError("Out of memory");
    FreeBlock* list = freeBlocks[sizeClass];
    for (size_t offset = 0; offset + size <= kChunkSize; offset += size) {
        FreeBlock* block = reinterpret_cast<FreeBlock*>(chunk + offset);
        block->next = list;
        list = block;
    }
    freeBlocks[sizeClass] = list;
}

void* allocateBlock(size_t size) {
    if (size > kPooledLimit) return platform::allocateLow(size);
    size_t sizeClass = (size + kGrain - 1) / kGrain;
    if (__builtin_expect(!freeBlocks[sizeClass], 0)) carveChunk(sizeClass);
    FreeBlock* block = freeBlocks[sizeClass];
    freeBlocks[sizeClass] = block->next;
    return block;
}

void freeBlock(void* memory, size_t size) {
    if (size > kPooledLimit) {
        platform::freeLow(memory);
        return;
    }
    size_t sizeClass = (size + kGrain - 1) / kGrain;
    FreeBlock* block = static_cast<FreeBlock*>(memory);
    block->next = freeBlocks[sizeClass];
    freeBlocks[sizeClass] = block;
}

class KrStringModule : public KrModule {
public:
    KrStringModule() { setup("KrString"); }
    bool startup() override {
        makeSharedStrings();
        return true;
    }
};

KrStringModule stringModule;

} // namespace

KrString* krMakeSharedString(const char* bytes, int length) {
    static_assert(kSharedTextRoom > 9, "room for the longest shared text and its NUL");
    void* block = sharedArena + static_cast<size_t>(sharedMade++) * kSharedSlot;
    char* text = static_cast<char*>(block) + sizeof(KrString);
    std::memcpy(text, bytes, static_cast<size_t>(length));
    text[length] = '\0';
    return new (block) KrString(length, text);
}

void KrString::free() {
    // A shared string released to 0 by mistake stays as it is: it is still
    // in use everywhere, and its block is not the allocator's.
    if (isShared(this)) return;
    size_t size = blockSize(length_);
    this->~KrString();
    freeBlock(this, size);
}

KrString* krAllocString(int length) {
    // The text follows the object in the same block; a length whose block
    // size does not fit in 32 bits cannot be allocated either.
    if (length < 0 || static_cast<size_t>(length) > SIZE_MAX - sizeof(KrString) - 1)
        runtimeError("Out of memory");
    void* block = allocateBlock(blockSize(length));
    if (!block) runtimeError("Out of memory");
    char* text = static_cast<char*>(block) + sizeof(KrString);
    text[length] = '\0';
    return new (block) KrString(length, text);
}

KrString* krNewString(const char* bytes, int length) {
    if (length <= 0) return krNewEmptyString();
    KrString* s = krAllocString(length);
    krCopyBytes(const_cast<char*>(s->text()), bytes, static_cast<size_t>(length));
    return s;
}

KrString* krNewString(const char* text) {
    if (!text || !*text) return krNewEmptyString();
    size_t length = std::strlen(text);
    if (length > 0x7fffffff) runtimeError("Out of memory");
    return krNewString(text, static_cast<int>(length));
}

KrString* krNewStringFromInt(int value) {
    char text[kIntTextSize];
    int length = krFormatInt(value, text);
    return krNewString(text, length);
}

KrString* krNewStringFromFloat(float value) {
    KrString* fixed = nullptr;
    if (value != value) fixed = krNaNString();
    else if (value > 3.4028235e38f) fixed = krInfinityString();
    else if (value < -3.4028235e38f) fixed = krNegInfinityString();
    if (fixed) {
        fixed->retain();
        return fixed;
    }
    char text[kFloatTextSize];
    int length = krFormatFloat(value, text);
    return krNewString(text, length);
}

KrString* krEmptyString() {
    if (__builtin_expect(!shared.empty, 0)) makeSharedStrings();
    return shared.empty;
}

KrString* krCharString(unsigned char byte) {
    if (__builtin_expect(!shared.empty, 0)) makeSharedStrings();
    return shared.chars[byte];
}

KrString* krNaNString() {
    makeSharedStrings();
    return shared.nan;
}

KrString* krInfinityString() {
    makeSharedStrings();
    return shared.infinity;
}

KrString* krNegInfinityString() {
    makeSharedStrings();
    return shared.negInfinity;
}
