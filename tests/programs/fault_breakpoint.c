/* A breakpoint instruction (int3) in program code is a runtime error. */
#include "vorn.h"

VORN_MAIN { __asm__ volatile("int3"); }
