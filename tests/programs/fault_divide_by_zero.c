/* Integer division by zero in the program's own code is a runtime error. */
#include "vorn.h"

static volatile int zero;

VORN_MAIN {
    volatile int x = 10 / zero;
    (void)x;
}
