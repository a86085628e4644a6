/* A memory access violation in the program's own code is a runtime error. */
#include "vorn.h"

VORN_MAIN { *(volatile int*)16 = 1; }
