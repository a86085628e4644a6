// KrDebugger: receives the run, stop, log and message notifications of a run.
//
// The virtual operations are in the slot order that outside hosts implement;
// do not add, remove or reorder them (no virtual destructor either).
#pragma once

class KrDebugger {
public:
    virtual void onRun() {}                                  // slot 0
    virtual void onStop() {}                                 // slot 1
    virtual void onStatement(int, int) {}                    // slot 2
    virtual void onEnter(int, int, int) {}                   // slot 3
    virtual void onLeave() {}                                // slot 4
    virtual void onLog(const char*) {}                       // slot 5
    virtual void onMessage(const char*, int /*serious*/) {}  // slot 6
};

// The debugger that receives notifications: the runtime's own until a host
// hands one to execute.
KrDebugger* currentDebugger();
void setCurrentDebugger(KrDebugger* debugger);

// The runtime's own debugger, which shows runtime errors in a message box.
KrDebugger* defaultDebugger();
// Whether the runtime's own debugger has shown a runtime error: a finished
// program then ends with exit code 1 rather than 0.
bool defaultDebuggerShowedError();
