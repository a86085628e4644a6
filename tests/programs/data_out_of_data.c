/* Reading at the end item fails, and keeps failing there. */
#include "lang_check.h"
#include "lang_types.h"

static const DataItem data[] = {{1, {.i = 1}}, {0, {.i = 0}}};

VORN_MAIN {
    _krRestore(data);
    sayInt("read: ", _krReadInt());
    _krReadStr();
    say("not reached");
}
