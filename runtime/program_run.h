// One run of the program inside execute: module start, the call of the main
// code, and the end of the run, whether the main code returns or End is
// called from anywhere beneath it.
#pragma once

#include "runtime/runtime.h"

class KrString;

enum RunState { kRunIdle = 0, kRunStarting = 1, kRunRunning = 2, kRunEnding = 3 };

void runProgram(KrEntryPoint entry, const char* args, KrDebugger* debugger);

RunState runState();

// End: back to the run's end point at once, abandoning every frame between.
[[noreturn]] void krEnd();

// The argument text of this run (null when the host gave none).
const char* programArguments();

// The argument text as a string while the program runs (borrowed; null
// outside a run). It is made after the modules start and released when the
// run ends, before they stop.
KrString* commandLineString();

// The end point lies on the program's own stack, so the end path must run on
// the program's execution context. The event driver, whose pump runs on a
// context of its own, installs a hook that switches back before the path goes
// on; it gets the message of a runtime error, or null for End, and returns
// only when control is on the program's context (at once when it already is).
using KrContextReturn = void (*)(const char* errorMessage);
void setContextReturn(KrContextReturn hook);
void returnToProgramContext(const char* errorMessage);
