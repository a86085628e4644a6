/* A highest index below -1 is an error, not a short allocation. */
#include "lang_check.h"
#include "lang_types.h"

typedef ARRAY_DESC(2) Array2;
static Array2 grid = {0, 1, 2, {4, -2}};

VORN_MAIN {
    _krDimArray(&grid);
    say("not reached");
}
