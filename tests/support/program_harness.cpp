#include "support/program_harness.h"

#include "runtime/runtime.h"

namespace {

const std::function<void()>* currentBody = nullptr;
bool bodyFinished = false;

void mainCode() {
    (*currentBody)();
    bodyFinished = true;
}

} // namespace

RunRecord runAsProgram(const std::function<void()>& body, const char* args) {
    // The debugger stays current after the run, so it must outlive it.
    static RecordingDebugger debugger;
    debugger = RecordingDebugger();
    currentBody = &body;
    bodyFinished = false;
    runtimeGetRuntime()->execute(&mainCode, args, &debugger);
    RunRecord record;
    record.finished = bodyFinished;
    record.stops = debugger.stops;
    record.runs = debugger.runs;
    record.errors = debugger.messages;
    record.logs = debugger.logs;
    return record;
}
