/* Running off the end of the code: a body without a return, placed last,
   runs through the zero bytes after the code (each adding to a scratch
   word) and on past the end of the code block. */
#include "vorn.h"

int scratch;

VORN_MAIN {
    __asm__ volatile("leal _scratch, %%eax\n\tjmp _code_end" ::: "eax", "memory");
}

__attribute__((naked, section(".text$zzz"))) void code_end(void) { __asm__("nop"); }
