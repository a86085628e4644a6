/* Endless recursion in the program's own code is a runtime error, not a crash. */
#include "vorn.h"

static int VORN_API recurse(volatile int* depth) {
    volatile char frame[256];
    frame[0] = (char)*depth;
    ++*depth;
    return recurse(depth) + frame[0];
}

VORN_MAIN {
    volatile int depth = 0;
    recurse(&depth);
}
