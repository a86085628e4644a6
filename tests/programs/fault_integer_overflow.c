/* The overflow trap (into after a signed overflow) in program code is a
   runtime error. */
#include "vorn.h"

VORN_MAIN { __asm__ volatile("movl $0x7fffffff, %%eax\n\taddl $1, %%eax\n\tinto" ::: "eax", "cc"); }
