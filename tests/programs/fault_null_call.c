/* A call through a null function pointer is a memory access violation; vornrun
   names the program's call. */
#include "vorn.h"

typedef void (*Routine)(void);
static volatile Routine routine;

VORN_MAIN {
    routine();
    fprint(_krStrFromCStr("not reached"));
}
