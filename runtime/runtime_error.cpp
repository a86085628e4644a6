// The runtime-error, internal-error and debug-log paths. Messages are
// formatted into storage that fits them whole, however long.
#include "runtime/runtime_error.h"

#include <cstdarg>
#include <cstdio>
#include <string>

#include "platform/message_box.h"
#include "runtime/debugger.h"
#include "runtime/program_run.h"

namespace {

std::string formatMessage(const char* format, va_list args) {
    va_list copy;
    va_copy(copy, args);
    char small[256];
    int n = std::vsnprintf(small, sizeof small, format, copy);
    va_end(copy);
    if (n < 0) return std::string(format);
    if (static_cast<size_t>(n) < sizeof small) return std::string(small, n);
    std::string text(static_cast<size_t>(n) + 1, '\0');
    std::vsnprintf(text.data(), text.size(), format, args);
    text.resize(n);
    return text;
}

// The message of the error being raised; it must outlive the jump to the end
// point, which abandons the frame that formatted it.
std::string raisedMessage;

} // namespace

void raiseRuntimeError(const char* message) {
    returnToProgramContext(message);
    raisedMessage = message;
    KrDebugger* debugger = currentDebugger();
    debugger->onStop();
    debugger->onMessage(raisedMessage.c_str(), 1);
    krEnd();
}

void runtimeError(const char* format, ...) {
    // Not a local: the raise leaves this frame without unwinding it, so a
    // local string would never be freed.
    static std::string message;
    va_list args;
    va_start(args, format);
    message = formatMessage(format, args);
    va_end(args);
    raiseRuntimeError(message.c_str());
}

void internalError(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string message = formatMessage(format, args);
    va_end(args);
    platform::showMessage(message.c_str(), "***** INTERNAL ERROR *****", true);
    // A broken invariant is a failure: the process must not report success.
    std::exit(kInternalErrorExitCode);
}

void debugLog(const char* format, ...) {
    va_list args;
    va_start(args, format);
    std::string line = formatMessage(format, args);
    va_end(args);
    currentDebugger()->onLog(line.c_str());
}
