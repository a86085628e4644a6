/* Compiled code that releases the shared empty string once too often (an
 * empty literal's slot, say) must not free it: the shared strings stay valid
 * for the whole run, and their blocks are never handed out for other
 * strings. */
#include "lang_check.h"

static KrString* never;

VORN_MAIN {
    KrString* empty = _krStrLoad(&never);
    int refs = VIEW(empty)->refs;
    for (int i = 0; i <= refs; ++i) _krStrRelease(empty);

    /* "" and "a" need blocks of the same size: a freed "" would be reused. */
    KrString* a = _krStrFromCStr("a");
    CHECK(a != empty);
    CHECK(_krStrLoad(&never) == empty && VIEW(empty)->length == 0 && VIEW(empty)->text[0] == 0);
    CHECK(_krStrConcat(empty, _krStrFromCStr("")) == empty);
    _krStrTmpFree(3);

    /* Taken and released again, it still is not freed. */
    _krStrRetain(empty);
    _krStrRelease(empty);
    KrString* b = _krStrFromCStr("b");
    CHECK(b != empty && sameText(b, "b"));
    sayString("joined: ", _krStrConcat(_krStrConcat(_krStrFromCStr("<"), empty), _krStrFromCStr(">")));
    _krStrTmpFree(5);
    say("done");
}
