/* A data item of an unknown kind ends the run. */
#include "lang_check.h"
#include "lang_types.h"

static const DataItem data[] = {{3, {.i = 1}}, {0, {.i = 0}}};

VORN_MAIN {
    _krRestore(data);
    _krReadFloat();
    say("not reached");
}
