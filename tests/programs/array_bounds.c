/* Compiled code raises the index error through _krArrayBoundsEx. */
#include "lang_check.h"

VORN_MAIN {
    _krArrayBoundsEx();
    say("not reached");
}
