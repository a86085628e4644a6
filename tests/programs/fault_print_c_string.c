/* A plain C string where a string object belongs: the fault strikes inside
   the runtime and is reported as the program's memory access violation. */
#include "vorn.h"

VORN_MAIN {
    fprint((KrString*)"a plain C string, not a string object");
    fprint(_krStrFromCStr("not reached"));
}
