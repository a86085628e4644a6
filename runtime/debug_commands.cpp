// The debug hooks of compiled code and the commands End and Stop.
#include "runtime/program_run.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) void _krDebugStmt(int, int) {}
__attribute__((stdcall)) void _krDebugEnter(int, int, int) {}
__attribute__((stdcall)) void _krDebugLeave() {}

__attribute__((stdcall)) void End() { krEnd(); }
__attribute__((stdcall)) void Stop() {}
__attribute__((stdcall)) void RuntimeStats() {}

}

KR_COMMAND(Language, "RuntimeStats", RuntimeStats);
KR_COMMAND(Runtime, "End", End);
KR_COMMAND(Runtime, "Stop", Stop);
KR_INTERNAL(Runtime, _krDebugStmt, "void VORN_API _krDebugStmt(int a, int b)");
KR_INTERNAL(Runtime, _krDebugEnter, "void VORN_API _krDebugEnter(int a, int b, int c)");
KR_INTERNAL(Runtime, _krDebugLeave, "void VORN_API _krDebugLeave(void)");
