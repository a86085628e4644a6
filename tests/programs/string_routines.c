/* The string routines as compiled code uses them: literals, loads and stores,
 * concatenation, conversions and the temporary stack. */
#include "lang_check.h"

/* A literal table laid out as the compiler emits it: each record is a slot
 * followed by the text, the table a null-terminated list of records. */
static struct { KrString* slot; char text[6]; } litHello = {0, "Hello"};
static struct { KrString* slot; char text[1]; } litEmpty = {0, ""};
static struct { KrString* slot; char text[8]; } litWorld = {0, " world"};
static char* literals[] = {(char*)&litHello, (char*)&litEmpty, (char*)&litWorld, 0};

static KrString* never; /* a string variable never assigned */
static KrString* variable;

VORN_MAIN {
    _krInitCStrs(literals);
    KrString* empty = _krStrLoad(&never);
    CHECK(litEmpty.slot == empty);
    CHECK(VIEW(empty)->length == 0 && VIEW(empty)->text[0] == 0);
    CHECK(sameText(litHello.slot, "Hello") && VIEW(litHello.slot)->length == 5);

    /* Loading a null variable touches no count. */
    int emptyRefs = VIEW(empty)->refs;
    CHECK(_krStrLoad(&never) == empty && VIEW(empty)->refs == emptyRefs);

    /* Two empties concatenate to the shared empty string, one reference more
     * until the temporary is freed. */
    KrString* both = _krStrConcat(empty, litEmpty.slot);
    CHECK(both == empty && VIEW(empty)->refs == emptyRefs + 1);
    _krStrTmpFree(1);
    CHECK(VIEW(empty)->refs == emptyRefs);

    /* "" + "x" is a new string, not a shared one. */
    KrString* x = _krStrFromCStr("x");
    KrString* joined = _krStrConcat(empty, x);
    CHECK(joined != x && VIEW(joined)->refs == 1 && sameText(joined, "x"));
    _krStrTmpFree(2);

    KrString* greeting = _krStrConcat(litHello.slot, litWorld.slot);
    CHECK(VIEW(litHello.slot)->refs == 1 && VIEW(litWorld.slot)->refs == 1);
    _krStrStore(&variable, greeting);
    _krStrTmpFree(1);
    CHECK(VIEW(variable)->refs == 1);
    sayString("stored: ", _krStrLoad(&variable));

    /* Storing a variable's own string into it keeps the string alive and its
     * count unchanged. */
    _krStrStore(&variable, _krStrLoad(&variable));
    CHECK(VIEW(variable)->refs == 1 && sameText(variable, "Hello world"));
    _krStrStore(&variable, 0);
    CHECK(variable == 0);

    CHECK(_krStrCompare(litHello.slot, litWorld.slot) > 0);
    CHECK(_krStrCompare(litWorld.slot, litHello.slot) < 0);
    CHECK(_krStrCompare(litEmpty.slot, empty) == 0);
    _krStrTmpFree(0);

    sayInt("atoi: ", _krStrToInt(_krStrFromCStr("  -42abc")));
    sayInt("atoi none: ", _krStrToInt(_krStrFromCStr("abc")));
    _krStrTmpFree(2);
    sayInt("float: ", (int)(_krStrToFloat(_krStrFromCStr("2.5e1")) * 10.0f));
    _krStrTmpFree(1);

    /* More than 1024 temporaries in one statement keep every entry. */
    static KrString* made[3000];
    for (int i = 0; i < 3000; ++i) made[i] = _krStrFromInt(i);
    CHECK(sameText(made[0], "0") && sameText(made[1023], "1023") && sameText(made[1024], "1024"));
    CHECK(sameText(made[2999], "2999") && VIEW(made[2048])->refs == 1);
    KrString* kept = _krStrRetain(made[1500]);
    _krStrTmpFree(3000);
    CHECK(VIEW(kept)->refs == 1 && sameText(kept, "1500"));
    _krStrRelease(kept);
    _krStrRelease(0);

    CHECK(_krIStrTmpFree(7, (_krStrFromInt(1), 1)) == 7);
    CHECK(_krFStrTmpFree(2.5f, (_krStrFromInt(1), 1)) == 2.5f);
    say("done");
}
