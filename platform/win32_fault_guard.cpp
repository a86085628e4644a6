#include <windows.h>

#include <malloc.h>

#include <cstdint>

#include "platform/fault_guard.h"

namespace platform {

namespace {

FaultErrorPath errorPath = nullptr;
void* (*abandonedStack)() = nullptr;
void* handler = nullptr;
bool stackOverflowed = false;

const char* faultMessage(DWORD code) {
    switch (code) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return "Integer divide by zero";
    case EXCEPTION_ACCESS_VIOLATION: return "Memory access violation";
    case EXCEPTION_STACK_OVERFLOW: return "Stack overflow";
    default: return nullptr;
    }
}

// Linked program code lives in private memory; the runtime, the C library
// and the system live in mapped images.
bool inProgramCode(DWORD address) {
    MEMORY_BASIC_INFORMATION info;
    if (!VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info)) return false;
    return info.Type == MEM_PRIVATE && (info.Protect & (PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_READ | PAGE_EXECUTE));
}

void __cdecl raiseFault(const char* message) { errorPath(message); }

LONG CALLBACK onException(EXCEPTION_POINTERS* info) {
    const char* message = faultMessage(info->ExceptionRecord->ExceptionCode);
    if (!message || !errorPath || !inProgramCode(info->ContextRecord->Eip)) return EXCEPTION_CONTINUE_SEARCH;
    if (info->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW) stackOverflowed = true;
    // Everything below the end point is abandoned by the error path anyway;
    // a stack overflow leaves no room where the fault happened.
    uintptr_t sp = (reinterpret_cast<uintptr_t>(abandonedStack()) - 4096) & ~uintptr_t(15);
    sp -= 4;
    *reinterpret_cast<const char**>(sp) = message;
    sp -= 4;
    *reinterpret_cast<uint32_t*>(sp) = 0; // raiseFault never returns
    info->ContextRecord->Esp = static_cast<DWORD>(sp);
    info->ContextRecord->Eip = static_cast<DWORD>(reinterpret_cast<uintptr_t>(&raiseFault));
    return EXCEPTION_CONTINUE_EXECUTION;
}

} // namespace

void installFaultGuard(FaultErrorPath path, void* (*stack)()) {
    errorPath = path;
    abandonedStack = stack;
    if (!handler) handler = AddVectoredExceptionHandler(1, onException);
}

void removeFaultGuard() {
    // An overflow used up the stack's guard page; the run's frames are gone
    // now, so arm it again, or the next overflow would kill the process.
    if (stackOverflowed) _resetstkoflw();
    stackOverflowed = false;
    if (handler) RemoveVectoredExceptionHandler(handler);
    handler = nullptr;
    errorPath = nullptr;
}

} // namespace platform
