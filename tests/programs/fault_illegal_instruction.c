/* An undefined instruction (ud2) in program code is a runtime error. */
#include "vorn.h"

VORN_MAIN { __asm__ volatile("ud2"); }
