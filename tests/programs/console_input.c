/* Input reads the program's standard input (console_input.in) a line at a
 * time: blanks and control characters around the line removed, at most 255
 * bytes per read, and "" once the input has ended. */
#include "lang_check.h"

static int length(KrString* s) { return VIEW(s)->length; }

VORN_MAIN {
    KrString* prompt = _krStrFromCStr("name? ");
    KrString* none = _krStrFromCStr("");
    KrString* line = _krStrTmp(finput(prompt));
    fprint(none); /* the prompt ends the line it shares with no input echo */
    sayString("1: ", line);
    sayString("2: [", _krStrTmp(finput(none)));
    /* A 300-byte line arrives as 255 bytes, then the other 45. */
    KrString* head = _krStrTmp(finput(none));
    KrString* tail = _krStrTmp(finput(none));
    sayInt("long head: ", length(head));
    sayInt("long tail: ", length(tail));
    CHECK(VIEW(head)->text[0] == 'a' && VIEW(head)->text[254] == 'a' && VIEW(tail)->text[0] == 'a');
    /* The last line has no line break; after it the input has ended. */
    sayString("last: ", _krStrTmp(finput(none)));
    sayInt("after the end: ", length(_krStrTmp(finput(none))));
    sayInt("and again: ", length(_krStrTmp(finput(none))));
    _krStrTmpFree(9);
}
