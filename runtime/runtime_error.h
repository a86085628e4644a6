// The two failure paths and the debug log.
//
// runtimeError is the single path for misuse by the program: the message goes
// to the current debugger and the run ends through End. internalError reports
// a broken invariant of the runtime itself and leaves the process at once,
// with exit code kInternalErrorExitCode.
#pragma once

#define KR_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))

[[noreturn]] void runtimeError(const char* format, ...) KR_PRINTF(1, 2);
constexpr int kInternalErrorExitCode = 3;

[[noreturn]] void internalError(const char* format, ...) KR_PRINTF(1, 2);
void debugLog(const char* format, ...) KR_PRINTF(1, 2);

// The runtime error path with a message taken literally.
[[noreturn]] void raiseRuntimeError(const char* message);
