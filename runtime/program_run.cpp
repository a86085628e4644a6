#include "runtime/program_run.h"

#include <new>

#include "lang/kr_string.h"
#include "platform/end_point.h"
#include "platform/fault_guard.h"
#include "platform/fpu_control.h"
#include "runtime/debugger.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"

namespace {

RunState state = kRunIdle;
platform::EndPoint endPoint;
const char* arguments = nullptr;
// The program's CommandLine text as a string, made once the modules run.
KrString* commandLine = nullptr;

KrContextReturn contextReturn = nullptr;

const char* const defaultConfigs[][2] = {
    {"Gui", "Native"},         {"Audio", "Native"},    {"Screen", "DirectDraw"},
    {"Canvas", "DirectDraw"},  {"Graphics", "DirectDraw"}, {"GrDriver2D", "DirectDraw"},
};

// The stack pointer saved with the end point: everything below it is
// abandoned when the run ends.
void* abandonedStack() { return endPoint.context[2]; }

// A fault becomes the program's runtime error; where it struck goes to the
// debugger's log first, so that a host can tell faults of the runtime itself
// from the program's own.
void faultErrorPath(const char* message, const char* where) {
    debugLog("Fault at %s", where);
    raiseRuntimeError(message);
}

// Memory the runtime cannot get while the program runs ends the run like any
// other runtime error; an exception must never reach compiled code.
void outOfMemory() { raiseRuntimeError("Out of memory"); }

// Kept out of line so that the saved end point's frame is this one alone.
__attribute__((noinline)) void startAndRun(KrEntryPoint entry) {
    for (auto& pair : defaultConfigs) selectConfig(pair[0], pair[1]);
    startCoreModules();
    startSubsystemModules();
    commandLine = arguments ? krNewString(arguments) : krNewEmptyString();
    state = kRunRunning;
    entry();
}

} // namespace

void runProgram(KrEntryPoint entry, const char* args, KrDebugger* debugger) {
    state = kRunStarting;
    if (debugger) setCurrentDebugger(debugger);
    arguments = args;
    platform::installFaultGuard(faultErrorPath, abandonedStack);
    std::new_handler previousHandler = std::set_new_handler(outOfMemory);
    if (KR_SAVE_END_POINT(endPoint) == 0) startAndRun(entry);
    state = kRunEnding;
    std::set_new_handler(previousHandler);
    // A fault or End may strike while the program's code holds values on
    // the FPU stack; they go with the frames the end point abandons.
    fpu::emptyStack();
    platform::removeFaultGuard();
    KrString* line = commandLine;
    commandLine = nullptr;
    release(line);
    stopSubsystemModules();
    stopCoreModules();
    arguments = nullptr;
}

RunState runState() { return state; }

const char* programArguments() { return arguments; }

KrString* commandLineString() { return commandLine; }

void setContextReturn(KrContextReturn hook) { contextReturn = hook; }

void returnToProgramContext(const char* errorMessage) {
    if (contextReturn) contextReturn(errorMessage);
}

void krEnd() {
    returnToProgramContext(nullptr);
    if (state == kRunEnding) internalError("Recursive krEnd");
    if (state == kRunIdle) internalError("End outside a program run");
    krReturnToEndPoint(endPoint);
}
