// The one Runtime object and its registry.
#include "runtime/runtime.h"

#include "platform/fpu_control.h"
#include "runtime/program_run.h"
#include "runtime/symbol_registry.h"

namespace {

SymbolRegistry registry;

} // namespace

int Runtime::version() { return kVersion; }

const char* Runtime::nextSymbol() { return registry.next(); }

int Runtime::symbolValue(const char* name) { return registry.valueOf(name); }

void Runtime::startup(void*) {}

void Runtime::shutdown() { registry.clear(); }

void Runtime::reserved5() {}
void Runtime::reserved6() {}
void Runtime::reserved7() {}
void Runtime::reserved8(int) {}

void Runtime::execute(KrEntryPoint entry, const char* args, KrDebugger* debugger) {
    uint16_t saved = fpu::controlWord();
    fpu::setControlWord(fpu::kSinglePrecision);
    runProgram(entry, args, debugger);
    fpu::setControlWord(fpu::kDoublePrecision);
    (void)saved;
}

extern "C" Runtime* runtimeGetRuntime() {
    static Runtime* runtime = new Runtime;
    return runtime;
}
