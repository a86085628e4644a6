/* A declared library that cannot be found: binding goes on quietly, and the
 * first call through one of its slots ends the run. A "vornpath" too long
 * for the fallback path is skipped, not written past its buffer. */
#include "lang_check.h"

typedef int(VORN_API* OneInt)(int);
static OneInt missing;

static struct __attribute__((packed)) {
    char lib[sizeof "vorn_missing_lib.dll"];
    char f[sizeof "anything"];
    OneInt* slot;
    char end1;
    char end;
} table = {"vorn_missing_lib.dll", "anything", &missing, 0, 0};

static char longPath[2000];

VORN_MAIN {
    for (int i = 0; i < 1999; ++i) longPath[i] = 'p';
    fsetenv(_krStrFromCStr("vornpath"), _krStrFromCStr(longPath));
    _krStrTmpFree(2);
    _krLoadLibs(&table);
    say("bound");
    missing(7);
    say("not reached");
}
