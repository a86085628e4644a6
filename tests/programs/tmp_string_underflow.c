/* Freeing more temporaries than the stack holds is a runtime error. */
#include "lang_check.h"

VORN_MAIN {
    _krStrFromInt(1);
    _krStrFromInt(2);
    _krStrTmpFree(3);
    say("not reached");
}
