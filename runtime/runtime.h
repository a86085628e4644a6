// The Runtime object: the host interface returned by runtimeGetRuntime.
//
// A host (the program's own entry point or an outside tool) enumerates the
// registry to link compiled code, then asks the Runtime to execute the linked
// entry point. The virtual operations are in the fixed slot order that hosts
// rely on; do not add, remove or reorder them.
#pragma once

#include <cstdint>

class KrDebugger;

// The compiled program's main code: no arguments, no result.
using KrEntryPoint = void (*)();

class Runtime {
public:
    static constexpr int kVersion = 0x00100088;

    virtual int version();                           // slot 0
    virtual const char* nextSymbol();                // slot 1
    virtual int symbolValue(const char* name);       // slot 2
    virtual void startup(void* instance);            // slot 3
    virtual void shutdown();                         // slot 4
    virtual void reserved5();                        // slot 5
    virtual void reserved6();                        // slot 6
    virtual void reserved7();                        // slot 7
    virtual void reserved8(int value);               // slot 8
    virtual void execute(KrEntryPoint entry, const char* args, KrDebugger* debugger); // slot 9
};

extern "C" Runtime* runtimeGetRuntime();
