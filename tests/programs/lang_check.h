/* Helpers for the language program tests. Programs have no C library, so
 * printing and checking go through the runtime's own routines, as compiled
 * code does. A failed check prints what went wrong and ends the run with a
 * runtime error, so the test fails on its exit code and output. */
#ifndef LANG_CHECK_H
#define LANG_CHECK_H

#include "vorn.h"

/* The layout of a KrString as compiled code sees it. */
typedef struct {
    void* vtable;
    int refs;
    int length;
    const char* text;
} StringView;

#define VIEW(s) ((const StringView*)(s))

static void say(const char* text) {
    fprint(_krStrFromCStr(text));
    _krStrTmpFree(1);
}

static void sayString(const char* label, KrString* s) {
    fwrite(_krStrFromCStr(label));
    fprint(s);
    _krStrTmpFree(1);
}

static void sayInt(const char* label, int value) {
    fwrite(_krStrFromCStr(label));
    fprint(_krStrFromInt(value));
    _krStrTmpFree(2);
}

static void sayFloat(float value) {
    fprint(_krStrFromFloat(value));
    _krStrTmpFree(1);
}

static int sameText(KrString* s, const char* text) {
    const char* t = _krStrToCStr(s);
    while (*t && *t == *text) ++t, ++text;
    return *t == *text;
}

static void failed(int line, const char* what) {
    KrString* where = _krStrConcat(_krStrFromCStr("check failed at line "), _krStrFromInt(line));
    fruntimeerror(_krStrConcat(_krStrConcat(where, _krStrFromCStr(": ")), _krStrFromCStr(what)));
}

#define CHECK(cond) \
    do { \
        if (!(cond)) failed(__LINE__, #cond); \
    } while (0)

#endif
