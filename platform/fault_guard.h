// Turns hardware faults of a running program into runtime errors.
//
// While a program runs, these faults of the main thread run the runtime-error
// path instead of killing the process:
//  - a stack overflow wherever it strikes (program code, the runtime or a
//    system library): "Stack overflow";
//  - in the program's linked code (private executable memory, not a loaded
//    image): "Integer divide by zero", "Memory access violation", "Illegal
//    instruction", "Privileged instruction", "Breakpoint", "Integer
//    overflow", "Single step", "Array bounds exceeded";
//  - a call or jump to where no code is: "Memory access violation";
//  - an access violation in the runtime's own code, which only bad arguments
//    from the program cause, or one in a system library that no handler
//    there takes: "Memory access violation".
// Other faults, and faults of other threads, are left to the platform.
#pragma once

namespace platform {

// `errorPath` is called on a fresh part of the stack, at or below
// `abandonedStack`, with the message and where the fault struck ("0x6a1b1a2b
// (runtime.dll+0x1a2b)", or just the address outside any image), and must
// not return.
using FaultErrorPath = void (*)(const char* message, const char* where);
void installFaultGuard(FaultErrorPath errorPath, void* (*abandonedStack)());
// Called on the run's end point once the program's frames are abandoned;
// restores the stack's guard page when an overflow consumed it.
void removeFaultGuard();

} // namespace platform
