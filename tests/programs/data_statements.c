/* Data statements: items read in order through the conversion table, the
 * read position moved by Restore. */
#include "lang_check.h"
#include "lang_types.h"

static const DataItem data[] = {
    {1, {.i = 42}},        {2, {.f = 2.7f}},  {2, {.f = -2.7f}}, {4, {.s = "3.5xyz"}},
    {4, {.s = "hello"}},   {1, {.i = -7}},    {2, {.f = 0.001f}}, {4, {.s = " 12abc"}},
    {2, {.f = 100.0f}},    {4, {.s = ""}},    {0, {.i = 0}},
};

VORN_MAIN {
    _krRestore(data);
    sayInt("int of int: ", _krReadInt());
    sayInt("int of 2.7: ", _krReadInt());
    sayInt("int of -2.7: ", _krReadInt());
    /* A text read as a float consumes its item like any other. */
    CHECK(_krReadFloat() == 3.5f);
    sayString("text: ", _krReadStr());
    sayString("text of int: ", _krReadStr());
    sayString("text of float: ", _krReadStr());
    sayInt("int of text: ", _krReadInt());
    sayString("text of 100: ", _krReadStr());
    KrString* empty = _krReadStr();
    CHECK(VIEW(empty)->length == 0);
    _krStrTmpFree(5);

    _krRestore(&data[1]);
    CHECK(_krReadFloat() == 2.7f);
    _krRestore(data);
    CHECK(_krReadFloat() == 42.0f);
    say("done");
}
