/* Endless recursion that calls into the runtime at every level: the overflow
   strikes in the runtime or a system library and is still the program's. */
#include "vorn.h"

static int VORN_API recurse(int depth) {
    KrString* text = _krStrFromInt(depth);
    int property = _krStrToInt(fsystemproperty(_krStrFromCStr("tempdir")));
    _krStrRelease(text);
    return recurse(depth + 1) + property;
}

VORN_MAIN { recurse(0); }
