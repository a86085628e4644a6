// Runs a benchmark's body as a program run, with a debugger that writes a
// runtime error to standard error instead of showing a message box.
#pragma once

#include <cstdio>

#include "runtime/debugger.h"
#include "runtime/runtime.h"

inline void runBenchProgram(KrEntryPoint body) {
    struct QuietDebugger : KrDebugger {
        void onMessage(const char* text, int) override { std::fprintf(stderr, "runtime error: %s\n", text); }
    };
    static QuietDebugger debugger;
    runtimeGetRuntime()->execute(body, "", &debugger);
}
