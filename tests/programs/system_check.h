/* Helpers for the system command program tests, on top of lang_check.h:
 * argument strings counted on the temporary stack and freed together, and
 * checks of string results that print what came back. */
#ifndef SYSTEM_CHECK_H
#define SYSTEM_CHECK_H

#include "lang_check.h"

/* Strings made here sit on the temporary stack until flush(). */
static int temps;
static KrString* S(const char* text) {
    ++temps;
    return _krStrFromCStr(text);
}
/* Puts a command's new string on the temporary stack. */
static KrString* T(KrString* made) {
    ++temps;
    return _krStrTmp(made);
}
static KrString* cat(KrString* a, KrString* b) {
    ++temps;
    return _krStrConcat(a, b);
}
static void flush(void) {
    _krStrTmpFree(temps);
    temps = 0;
}

static int byteAt(KrString* s, int i) { return (unsigned char)VIEW(s)->text[i]; }

/* Fails with the text that came back when a string result differs. */
static void expectText(int line, KrString* got, const char* want) {
    if (!sameText(got, want)) {
        KrString* what = _krStrConcat(_krStrConcat(_krStrFromCStr("got \""), got), _krStrFromCStr("\""));
        failed(line, _krStrToCStr(what));
    }
}
#define EXPECT_TEXT(got, want) expectText(__LINE__, (got), (want))

#endif
