// Turns hardware faults inside the program's own code into runtime errors.
//
// While a program runs, an integer division by zero, a memory access
// violation or a stack overflow whose faulting instruction lies in the
// program's linked code (private executable memory, not a loaded image) runs
// the runtime-error path with "Integer divide by zero", "Memory access
// violation" or "Stack overflow" on the stack that the run's end point
// abandons. Faults in the runtime's own code are left alone: they are bugs.
#pragma once

namespace platform {

// `errorPath` is called with the message on a fresh part of the stack, at or
// below `abandonedStack`, and must not return.
using FaultErrorPath = void (*)(const char* message);
void installFaultGuard(FaultErrorPath errorPath, void* (*abandonedStack)());
// Called on the run's end point once the program's frames are abandoned;
// restores the stack's guard page when an overflow consumed it.
void removeFaultGuard();

} // namespace platform
