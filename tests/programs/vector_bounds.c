/* Compiled code raises the index error through _krVecBoundsEx. */
#include "lang_check.h"

VORN_MAIN {
    _krVecBoundsEx();
    say("not reached");
}
