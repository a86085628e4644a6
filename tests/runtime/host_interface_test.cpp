// The Runtime and KrDebugger interfaces as an outside host sees them: plain
// tables of thiscall slots, called and implemented by position alone.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "runtime/runtime_error.h"

namespace {

#define HOST_CALL __attribute__((thiscall))

std::vector<std::string> calls;

void HOST_CALL hostRun(void*) { calls.push_back("run"); }
void HOST_CALL hostStop(void*) { calls.push_back("stop"); }
void HOST_CALL hostStatement(void*, int, int) { calls.push_back("statement"); }
void HOST_CALL hostEnter(void*, int, int, int) { calls.push_back("enter"); }
void HOST_CALL hostLeave(void*) { calls.push_back("leave"); }
void HOST_CALL hostLog(void*, const char* text) { calls.push_back(std::string("log ") + text); }
void HOST_CALL hostMessage(void*, const char* text, int serious) {
    calls.push_back("message " + std::to_string(serious) + " " + text);
}

// A debugger object as a host lays it out: a pointer to its slot table.
const void* const hostSlots[] = {
    reinterpret_cast<const void*>(&hostRun),   reinterpret_cast<const void*>(&hostStop),
    reinterpret_cast<const void*>(&hostStatement), reinterpret_cast<const void*>(&hostEnter),
    reinterpret_cast<const void*>(&hostLeave), reinterpret_cast<const void*>(&hostLog),
    reinterpret_cast<const void*>(&hostMessage),
};
struct HostDebugger {
    const void* const* slots = hostSlots;
} hostDebugger;

template <typename Fn>
Fn slot(Runtime* runtime, int index) {
    return reinterpret_cast<Fn>((*reinterpret_cast<void* const* const*>(runtime))[index]);
}

void mainCode() {
    debugLog("line %d", 1);
    runtimeError("failed %d%%", 2);
}

} // namespace

TEST(HostInterface, RuntimeSlotsServeAHostByPosition) {
    Runtime* runtime = runtimeGetRuntime();
    EXPECT_EQ(slot<int(HOST_CALL*)(Runtime*)>(runtime, 0)(runtime), 1048712);

    auto nextSymbol = slot<const char*(HOST_CALL*)(Runtime*)>(runtime, 1);
    auto symbolValue = slot<int(HOST_CALL*)(Runtime*, const char*)>(runtime, 2);
    int found = -1;
    while (const char* name = nextSymbol(runtime))
        if (std::strcmp(name, "End") == 0) found = symbolValue(runtime, name);
    EXPECT_NE(found, -1);

    calls.clear();
    auto execute = slot<void(HOST_CALL*)(Runtime*, KrEntryPoint, const char*, void*)>(runtime, 9);
    execute(runtime, &mainCode, "", &hostDebugger);
    EXPECT_EQ(calls, (std::vector<std::string>{"log line 1", "stop", "message 1 failed 2%"}));
}
