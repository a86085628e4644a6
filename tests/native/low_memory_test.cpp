// The memory behind 32-bit handles and fields: blocks that keep their
// contents and stay apart, addresses that a handle holds, and the sanitizer
// reports for overruns, uses after free and double frees.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <vector>

#include "platform/low_memory.h"
#include "runtime/object.h"

namespace {

class Probe : public KrObject {
public:
    static constexpr const char* kHandleName = "Probe";
    char payload[40] = {};
};

} // namespace

TEST(LowMemory, BlocksKeepTheirBytesStayApartAndFitIn32Bits) {
    std::vector<uint8_t*> blocks;
    for (size_t size : {0, 1, 7, 16, 17, 100, 4096, 100000, 3 << 20}) {
        auto* block = static_cast<uint8_t*>(platform::allocateLow(size));
        ASSERT_NE(block, nullptr) << "size " << size;
        EXPECT_LE(reinterpret_cast<uintptr_t>(block) + size, uintptr_t{0xFFFFFFFF}) << "size " << size;
        EXPECT_EQ(reinterpret_cast<uintptr_t>(block) % 16, 0u) << "size " << size;
        std::memset(block, static_cast<int>(blocks.size() + 1), size);
        blocks.push_back(block);
    }
    size_t i = 0;
    for (size_t size : {0, 1, 7, 16, 17, 100, 4096, 100000, 3 << 20}) {
        for (size_t at = 0; at < size; at += 997)
            ASSERT_EQ(blocks[i][at], i + 1) << "block " << i << " byte " << at << " was overwritten";
        platform::freeLow(blocks[i++]);
    }
    auto* zeroed = static_cast<uint32_t*>(platform::callocateLow(1000, 4));
    ASSERT_NE(zeroed, nullptr);
    for (int k = 0; k < 1000; ++k) ASSERT_EQ(zeroed[k], 0u) << "word " << k;
    platform::freeLow(zeroed);
    // (On a 32-bit target this is the C library's calloc, which the address
    // sanitizer stops on such a product.)
    if (sizeof(void*) == 8) EXPECT_EQ(platform::callocateLow(SIZE_MAX / 2, 4), nullptr) << "a product that overflows";
}

TEST(LowMemory, AnObjectIsFoundByItsHandle) {
    auto* probe = new Probe;
    int handle = toHandle(probe);
    EXPECT_EQ(liveObject(handle), probe);
    probe->release();
    EXPECT_EQ(liveObject(handle), nullptr);
}

TEST(LowMemoryDeathTest, OverrunsUsesAfterFreeAndDoubleFreesAreReported) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    EXPECT_DEATH(
        {
            auto* block = static_cast<volatile char*>(platform::allocateLow(24));
            block[24] = 1;
        },
        "AddressSanitizer");
    EXPECT_DEATH(
        {
            auto* block = static_cast<volatile char*>(platform::allocateLow(24));
            platform::freeLow(const_cast<char*>(block));
            (void)block[0];
        },
        "AddressSanitizer");
    EXPECT_DEATH(
        {
            // Volatile, so that the compiler cannot drop a block nobody uses
            // (where the blocks come from the C heap, it may).
            void* volatile block = platform::allocateLow(24);
            platform::freeLow(block);
            platform::freeLow(block);
        },
        "double");
}
