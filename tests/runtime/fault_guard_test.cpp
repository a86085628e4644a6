// Faults of a running program that strike outside its own code: in the
// runtime (this test executable holds the runtime's code) or in a system
// library. Each ends the run with its runtime error and leaves the process
// able to run and catch the next.
#include <gtest/gtest.h>

#include <cstring>
#include <regex>
#include <string>

#include "lang/kr_string.h"
#include "support/program_harness.h"

namespace {

// Endless recursion that calls into the runtime at every level, so the
// overflow strikes in the runtime or the C library rather than here.
// The volatile word read after the call keeps a frame alive at every level:
// without it the compiler turns the recursion into an endless loop.
__attribute__((noinline)) int recurseThroughTheRuntime(int depth) {
    volatile int here = depth;
    KrString* text = krNewStringFromInt(depth);
    int length = krLength(text);
    release(text);
    return recurseThroughTheRuntime(depth + 1) + length + here;
}

// The log line the fault path writes before the error: the faulting address
// and, inside a loaded image, its name and offset.
const std::regex faultLine("Fault at 0x[0-9a-f]{8}( \\([^()]+\\+0x[0-9a-f]+\\))?");

} // namespace

TEST(FaultGuard, OverflowsThroughTheRuntimeEndEveryRunTheyHappenIn) {
    for (int round = 0; round < 2; ++round) {
        RunRecord r = runAsProgram([] { recurseThroughTheRuntime(0); });
        EXPECT_FALSE(r.finished);
        EXPECT_EQ(r.errors, std::vector<std::string>{"Stack overflow"}) << "round " << round;
        ASSERT_EQ(r.logs.size(), 1u);
        EXPECT_TRUE(std::regex_match(r.logs[0], faultLine)) << r.logs[0];
    }
    // The stack works normally again.
    RunRecord r = runAsProgram([] { release(krNewStringFromInt(1)); });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(FaultGuard, AccessViolationsInTheRuntimeAndSystemLibrariesAreRuntimeErrors) {
    // In the runtime's own image.
    RunRecord r = runAsProgram([] {
        static volatile int* volatile nowhere = reinterpret_cast<volatile int*>(16);
        *nowhere = 1;
    });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Memory access violation");
    ASSERT_EQ(r.logs.size(), 1u);
    EXPECT_TRUE(std::regex_match(r.logs[0], faultLine)) << r.logs[0];
    EXPECT_NE(r.logs[0].find(".exe+0x"), std::string::npos) << r.logs[0];

    // In the C library, given a pointer that points nowhere.
    r = runAsProgram([] {
        static const char* volatile nowhere = reinterpret_cast<const char*>(16);
        EXPECT_EQ(std::strlen(nowhere), 0u);
    });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Memory access violation");

    // A call to where no code is.
    r = runAsProgram([] {
        static void (*volatile nothing)() = nullptr;
        nothing();
    });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Memory access violation");
    ASSERT_EQ(r.logs.size(), 1u);
    EXPECT_EQ(r.logs[0], "Fault at 0x00000000");
}
