// The low-memory arena of platform/low_memory.h for a 64-bit host: blocks in
// the first 2 GB (the part that the address sanitizer also shadows on
// x86-64), so that 32-bit handles and fields hold their addresses.
//
// Blocks come in power-of-two classes from one reserved region, each with a
// header before it and at least 16 bytes of room after it. Under the address
// sanitizer the header and room are poisoned, a freed block is poisoned whole
// and waits in a quarantine before it is reused, so overruns and uses after
// free are reported as on the sanitizer's own heap; a block freed twice, or an
// address that is no block, stops the process with a report. The leak checker
// scans the used part of the region for pointers into its own heap. Blocks of
// the arena itself are not leak-checked.
#include <sys/mman.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <mutex>
#include <vector>

#include "platform/low_memory.h"

#if defined(__SANITIZE_ADDRESS__)
#define VORN_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VORN_ASAN 1
#endif
#endif
#ifdef VORN_ASAN
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#include <sanitizer/lsan_interface.h>
#endif

#if UINTPTR_MAX > 0xFFFFFFFFu

namespace {

constexpr size_t kHeader = 16;
constexpr size_t kRoomAfter = 16;
constexpr int kMinShift = 5;   // 32-byte blocks
constexpr int kMaxShift = 29;  // 512 MB blocks
// The leak checker scans the used part of the region in steps of this size.
constexpr size_t kCommitStep = size_t{1} << 20;
constexpr size_t kQuarantineBytes = size_t{32} << 20;
constexpr uint32_t kLive = 0x4c4f5741, kFreed = 0x46524545;

struct Header {
    uint32_t state;
    uint32_t shift;
    uint64_t size;
};
static_assert(sizeof(Header) == kHeader);

void poison(void* at, size_t size) {
#ifdef VORN_ASAN
    __asan_poison_memory_region(at, size);
#endif
}

void unpoison(void* at, size_t size) {
#ifdef VORN_ASAN
    __asan_unpoison_memory_region(at, size);
#endif
}

[[noreturn]] void badFree(const void* block, const char* what) {
    std::fprintf(stderr, "low-memory arena: %s of %p\n", what, block);
#ifdef VORN_ASAN
    __sanitizer_print_stack_trace();
#endif
    std::abort();
}

class Arena {
public:
    void* allocate(size_t size) {
        if (size > (size_t{1} << kMaxShift) - kHeader - kRoomAfter) return nullptr;
        int shift = kMinShift;
        while ((size_t{1} << shift) < size + kHeader + kRoomAfter) ++shift;
        std::lock_guard<std::mutex> hold(lock_);
        char* block = take(shift);
        if (!block) return nullptr;
        unpoison(block, kHeader);
        auto* header = reinterpret_cast<Header*>(block);
        header->state = kLive;
        header->shift = static_cast<uint32_t>(shift);
        header->size = size;
        poison(block, size_t{1} << shift);
        unpoison(block + kHeader, size);
        return block + kHeader;
    }

    void free(void* memory) {
        if (!memory) return;
        char* block = static_cast<char*>(memory) - kHeader;
        std::lock_guard<std::mutex> hold(lock_);
        if (block < base_ || block >= base_ + used_ || (block - base_) % 32 != 0) badFree(memory, "free of a foreign address");
        unpoison(block, kHeader);
        auto* header = reinterpret_cast<Header*>(block);
        uint32_t state = header->state, shift = header->shift;
        if (state == kLive) header->state = kFreed;
        poison(block, kHeader);
        if (state == kFreed) badFree(memory, "double free");
        if (state != kLive || shift < kMinShift || shift > kMaxShift) badFree(memory, "free of a foreign address");
        poison(block, size_t{1} << shift);
        quarantine_.push_back(block);
        quarantined_ += size_t{1} << shift;
        while (quarantined_ > kQuarantineBytes) release();
    }

private:
    char* take(int shift) {
        size_t size = size_t{1} << shift;
        if (!free_[shift].empty()) {
            char* block = free_[shift].back();
            free_[shift].pop_back();
            return block;
        }
        if (!base_ && !reserve()) return nullptr;
        // Blocks are aligned to their own size, up to the commit step.
        size_t align = size < kCommitStep ? size : kCommitStep;
        size_t start = (used_ + align - 1) & ~(align - 1);
        while (start + size > capacity_) {
            // Exhausted: give the quarantine back before giving up.
            if (quarantine_.empty()) return nullptr;
            release();
            if (!free_[shift].empty()) return take(shift);
        }
        // Pad the alignment gap with the largest blocks that fit there.
        for (size_t at = used_; at < start;) {
            int s = kMinShift;
            while (s < kMaxShift && (at & ((size_t{2} << s) - 1)) == 0 && at + (size_t{2} << s) <= start) ++s;
            free_[s].push_back(base_ + at);
            at += size_t{1} << s;
        }
        used_ = start + size;
        while (registered_ < used_) {
#ifdef VORN_ASAN
            __lsan_register_root_region(base_ + registered_, kCommitStep);
#endif
            registered_ += kCommitStep;
        }
        return base_ + start;
    }

    void release() {
        char* block = quarantine_.front();
        quarantine_.pop_front();
        unpoison(block, kHeader);
        uint32_t shift = reinterpret_cast<Header*>(block)->shift;
        poison(block, kHeader);
        quarantined_ -= size_t{1} << shift;
        free_[shift].push_back(block);
    }

    bool reserve() {
        for (size_t size = size_t{1} << 30; size >= kCommitStep; size /= 2) {
            void* region = mmap(nullptr, size, PROT_READ | PROT_WRITE,
                                MAP_PRIVATE | MAP_ANONYMOUS | MAP_NORESERVE | MAP_32BIT, -1, 0);
            if (region == MAP_FAILED) continue;
            base_ = static_cast<char*>(region);
            capacity_ = size;
            return true;
        }
        return false;
    }

    std::mutex lock_;
    char* base_ = nullptr;
    size_t capacity_ = 0, used_ = 0, registered_ = 0;
    std::vector<char*> free_[kMaxShift + 1];
    std::deque<char*> quarantine_;
    size_t quarantined_ = 0;
};

// Never destroyed: objects may be freed by other static objects' destructors.
Arena& arena() {
    static Arena* instance = new Arena;
    return *instance;
}

} // namespace

namespace platform {

void* lowArenaAllocate(size_t size) { return arena().allocate(size); }
void lowArenaFree(void* block) { arena().free(block); }

} // namespace platform

#endif
