/* The single-step trap (the trap flag set by the program) is a runtime error,
   and the error path runs without the flag. */
#include "vorn.h"

VORN_MAIN {
    __asm__ volatile("pushfl\n\torl $0x100, (%%esp)\n\tpopfl\n\tnop" ::: "cc", "memory");
    fprint(_krStrFromCStr("not reached"));
}
