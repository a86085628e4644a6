/* RuntimeError shows its text literally; what was printed before stays. */
#include "lang_check.h"

VORN_MAIN {
    fwrite(_krStrFromCStr("no line break, "));
    fprint(_krStrFromCStr("then a line"));
    fprint(_krStrFromCStr(""));
    fdebuglog(_krStrFromCStr("not shown"));
    fruntimeerror(_krStrFromCStr("100% wrong: %s %d"));
    say("not reached");
}
