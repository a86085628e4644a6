// The debug hooks of compiled code and the commands End, Stop, RuntimeError
// and DebugLog.
#include "lang/kr_string.h"
#include "runtime/program_run.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) void _krDebugStmt(int, int) {}
__attribute__((stdcall)) void _krDebugEnter(int, int, int) {}
__attribute__((stdcall)) void _krDebugLeave() {}

__attribute__((stdcall)) void End() { krEnd(); }
__attribute__((stdcall)) void Stop() {}
__attribute__((stdcall)) void RuntimeStats() {}
// The message is taken literally: a '%' in it is no format directive.
__attribute__((stdcall)) void RuntimeError(KrString* message) { raiseRuntimeError(krText(message)); }
__attribute__((stdcall)) void DebugLog(KrString*) {}

}

KR_COMMAND(Language, "RuntimeStats", RuntimeStats);
KR_COMMAND(Runtime, "End", End);
KR_COMMAND(Runtime, "Stop", Stop);
KR_COMMAND(Runtime, "RuntimeError$error", RuntimeError);
KR_COMMAND(Runtime, "DebugLog$message", DebugLog);
KR_INTERNAL(Runtime, _krDebugStmt, "void VORN_API _krDebugStmt(int a, int b)");
KR_INTERNAL(Runtime, _krDebugEnter, "void VORN_API _krDebugEnter(int a, int b, int c)");
KR_INTERNAL(Runtime, _krDebugLeave, "void VORN_API _krDebugLeave(void)");
