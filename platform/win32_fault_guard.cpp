#include <windows.h>

#include <malloc.h>

#include <cstdint>
#include <cstdio>
#include <cstring>

#include "platform/fault_guard.h"

namespace platform {

namespace {

FaultErrorPath errorPath = nullptr;
void* (*abandonedStack)() = nullptr;
void* handler = nullptr;
DWORD guardedThread = 0;
bool stackOverflowed = false;
// Set once a fault has been turned into the error path, until the run ends:
// a fault while that path runs is not the program's and is left alone, so
// that it cannot loop.
bool reporting = false;
// Where the fault struck; described on the fresh stack, not in the handler,
// which may run in the last page of an overflowed stack.
DWORD faultAddress = 0;
char faultPlace[MAX_PATH + 32];

// The messages of the faults that end a run when they strike in program code.
const char* programFaultMessage(DWORD code) {
    switch (code) {
    case EXCEPTION_INT_DIVIDE_BY_ZERO: return "Integer divide by zero";
    case EXCEPTION_ACCESS_VIOLATION: return "Memory access violation";
    case EXCEPTION_STACK_OVERFLOW: return "Stack overflow";
    case EXCEPTION_ILLEGAL_INSTRUCTION: return "Illegal instruction";
    case EXCEPTION_PRIV_INSTRUCTION: return "Privileged instruction";
    case EXCEPTION_BREAKPOINT: return "Breakpoint";
    case EXCEPTION_INT_OVERFLOW: return "Integer overflow";
    case EXCEPTION_SINGLE_STEP: return "Single step";
    case EXCEPTION_ARRAY_BOUNDS_EXCEEDED: return "Array bounds exceeded";
    default: return nullptr;
    }
}

bool query(DWORD address, MEMORY_BASIC_INFORMATION& info) {
    return VirtualQuery(reinterpret_cast<void*>(address), &info, sizeof info) != 0;
}

// Linked program code lives in private executable memory; the runtime, the C
// library and the system live in mapped images.
bool inProgramCode(DWORD address) {
    MEMORY_BASIC_INFORMATION info;
    if (!query(address, info)) return false;
    return info.Type == MEM_PRIVATE && (info.Protect & (PAGE_EXECUTE_READWRITE | PAGE_EXECUTE_READ | PAGE_EXECUTE));
}

// The image that holds this file's code: the runtime itself.
bool inRuntimeImage(DWORD address) {
    MEMORY_BASIC_INFORMATION here, there;
    if (!query(static_cast<DWORD>(reinterpret_cast<uintptr_t>(&programFaultMessage)), here) || !query(address, there))
        return false;
    return there.Type == MEM_IMAGE && there.AllocationBase == here.AllocationBase;
}

// The message for a fault of the main thread while the program runs, or
// null when the fault is not the program's to answer for.
//  - A stack overflow is the program's wherever it strikes: its recursion
//    used the stack up, whichever routine takes the last page.
//  - Every listed fault of program code is the program's.
//  - A jump to where no code is (a null or garbage function pointer, or
//    running off the end of the code) faults on execution at the target.
//  - An access violation in the runtime's own code comes from bad arguments
//    (a plain C string passed as a string); the runtime holds no handlers
//    of its own there. Faults in system libraries are left to their own
//    handlers first (onUnhandledException takes what they leave).
const char* faultMessage(const EXCEPTION_RECORD& record, const CONTEXT& context) {
    DWORD code = record.ExceptionCode;
    if (code == EXCEPTION_STACK_OVERFLOW) return "Stack overflow";
    const char* message = programFaultMessage(code);
    if (!message) return nullptr;
    if (inProgramCode(context.Eip)) return message;
    if (code != EXCEPTION_ACCESS_VIOLATION) return nullptr;
    bool onExecute = record.NumberParameters >= 2 &&
                     (record.ExceptionInformation[0] == EXCEPTION_EXECUTE_FAULT || record.ExceptionInformation[1] == context.Eip);
    if (onExecute || inRuntimeImage(context.Eip)) return message;
    return nullptr;
}

void describeFault() {
    MEMORY_BASIC_INFORMATION info;
    faultPlace[0] = 0;
    if (!query(faultAddress, info) || info.Type != MEM_IMAGE) {
        std::snprintf(faultPlace, sizeof faultPlace, "0x%08lx", static_cast<unsigned long>(faultAddress));
        return;
    }
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(static_cast<HMODULE>(info.AllocationBase), path, sizeof path);
    path[n < sizeof path ? n : sizeof path - 1] = 0;
    const char* name = path;
    for (const char* p = path; *p; ++p)
        if (*p == '\\' || *p == '/') name = p + 1;
    DWORD offset = faultAddress - static_cast<DWORD>(reinterpret_cast<uintptr_t>(info.AllocationBase));
    std::snprintf(faultPlace, sizeof faultPlace, "0x%08lx (%s+0x%lx)", static_cast<unsigned long>(faultAddress),
                  name, static_cast<unsigned long>(offset));
}

void __cdecl raiseFault(const char* message) {
    describeFault();
    errorPath(message, faultPlace);
}

// The stack the error path runs on. Below the faulting frame when there is
// room, so that the program's frames stay readable for whoever reports where
// the error came from; after an overflow, or with a stack pointer that is not
// the thread's, just below the end point, whose frames are abandoned anyway.
uintptr_t errorPathStack(const CONTEXT& context, bool overflow) {
    uintptr_t end = reinterpret_cast<uintptr_t>(abandonedStack());
    uintptr_t sp = context.Esp;
    constexpr uintptr_t kRoom = 256 * 1024;
    MEMORY_BASIC_INFORMATION info;
    if (!overflow && sp < end && end - sp < 64 * 1024 * 1024 && query(static_cast<DWORD>(sp), info) &&
        sp - reinterpret_cast<uintptr_t>(info.AllocationBase) > kRoom)
        return (sp - 512) & ~uintptr_t(15);
    return (end - 4096) & ~uintptr_t(15);
}

// Sends the faulting context into the error path with `message`.
LONG redirect(EXCEPTION_POINTERS* info, const char* message) {
    CONTEXT& context = *info->ContextRecord;
    bool overflow = info->ExceptionRecord->ExceptionCode == EXCEPTION_STACK_OVERFLOW;
    if (overflow) stackOverflowed = true;
    reporting = true;
    faultAddress = context.Eip;
    uintptr_t sp = errorPathStack(context, overflow);
    sp -= 4;
    *reinterpret_cast<const char**>(sp) = message;
    sp -= 4;
    *reinterpret_cast<uint32_t*>(sp) = 0; // raiseFault never returns
    context.Esp = static_cast<DWORD>(sp);
    context.Eip = static_cast<DWORD>(reinterpret_cast<uintptr_t>(&raiseFault));
    context.EFlags &= ~0x100u; // no single-step trap on the error path
    return EXCEPTION_CONTINUE_EXECUTION;
}

bool guarding() { return errorPath && !reporting && GetCurrentThreadId() == guardedThread; }

// First in line: the faults that are the program's wherever a handler of a
// system library might stand.
LONG CALLBACK onException(EXCEPTION_POINTERS* info) {
    if (!guarding()) return EXCEPTION_CONTINUE_SEARCH;
    const char* message = faultMessage(*info->ExceptionRecord, *info->ContextRecord);
    return message ? redirect(info, message) : EXCEPTION_CONTINUE_SEARCH;
}

// Last in line: an access violation in a system library that no handler
// took. The runtime passed it something bad that the program gave it (a
// C string's bytes read as a string object's text pointer reach strlen).
LPTOP_LEVEL_EXCEPTION_FILTER previousFilter = nullptr;
bool filterInstalled = false;

LONG WINAPI onUnhandledException(EXCEPTION_POINTERS* info) {
    if (guarding() && info->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION)
        return redirect(info, "Memory access violation");
    return previousFilter ? previousFilter(info) : EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

void installFaultGuard(FaultErrorPath path, void* (*stack)()) {
    errorPath = path;
    abandonedStack = stack;
    guardedThread = GetCurrentThreadId();
    reporting = false;
    if (!handler) handler = AddVectoredExceptionHandler(1, onException);
    if (!filterInstalled) previousFilter = SetUnhandledExceptionFilter(onUnhandledException);
    filterInstalled = true;
}

void removeFaultGuard() {
    // An overflow used up the stack's guard page; the run's frames are gone
    // now, so arm it again, or the next overflow would kill the process.
    if (stackOverflowed) _resetstkoflw();
    stackOverflowed = false;
    reporting = false;
    if (handler) RemoveVectoredExceptionHandler(handler);
    handler = nullptr;
    if (filterInstalled) SetUnhandledExceptionFilter(previousFilter);
    filterInstalled = false;
    errorPath = nullptr;
}

} // namespace platform
