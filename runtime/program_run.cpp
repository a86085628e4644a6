#include "runtime/program_run.h"

#include "platform/end_point.h"
#include "platform/fpu_control.h"
#include "runtime/debugger.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"

namespace {

RunState state = kRunIdle;
platform::EndPoint endPoint;
const char* arguments = nullptr;
KrContextReturn contextReturn = nullptr;

const char* const defaultConfigs[][2] = {
    {"Gui", "Native"},         {"Audio", "Native"},    {"Screen", "DirectDraw"},
    {"Canvas", "DirectDraw"},  {"Graphics", "DirectDraw"}, {"GrDriver2D", "DirectDraw"},
};

// Kept out of line so that the saved end point's frame is this one alone.
__attribute__((noinline)) void startAndRun(KrEntryPoint entry) {
    for (auto& pair : defaultConfigs) selectConfig(pair[0], pair[1]);
    startCoreModules();
    startSubsystemModules();
    state = kRunRunning;
    entry();
}

} // namespace

void runProgram(KrEntryPoint entry, const char* args, KrDebugger* debugger) {
    state = kRunStarting;
    if (debugger) setCurrentDebugger(debugger);
    arguments = args;
    if (KR_SAVE_END_POINT(endPoint) == 0) startAndRun(entry);
    state = kRunEnding;
    stopSubsystemModules();
    stopCoreModules();
    arguments = nullptr;
}

RunState runState() { return state; }

const char* programArguments() { return arguments; }

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
