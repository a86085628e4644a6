/* A privileged instruction (hlt) in program code is a runtime error. */
#include "vorn.h"

VORN_MAIN { __asm__ volatile("hlt"); }
