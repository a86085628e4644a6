/* End called deep inside nested calls returns straight to the end of the
 * run; nothing after it runs (the null write would crash the program). */
#include "vorn.h"

static void VORN_API descend(int n) {
    if (n == 0) fend();
    descend(n - 1);
    *(volatile int*)0 = 0;
}

VORN_MAIN {
    descend(50);
    *(volatile int*)0 = 0;
}
