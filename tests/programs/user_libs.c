/* User libraries bound from a table laid out as the compiler lays it out: a
 * library found by name, one found only under "vornpath"/userlibs/, and a
 * function the library lacks, whose call ends the run. Then CallDLL in both
 * calling conventions, with and without banks. */
#include "lang_check.h"

#define S(text) _krStrFromCStr(text)

typedef int(VORN_API* TwoInts)(int, int);
static TwoInts addNumbers, homeAnswer, missingFunction;

static struct __attribute__((packed)) {
    char lib1[sizeof "vorn_testlib.dll"];
    char f1[sizeof "add_numbers"];
    TwoInts* slot1;
    char f2[sizeof "no_such_function"];
    TwoInts* slot2;
    char end1;
    char lib2[sizeof "vorn_homelib.dll"];
    char f3[sizeof "home_answer"];
    TwoInts* slot3;
    char end2;
    char end;
} table = {"vorn_testlib.dll", "add_numbers", &addNumbers, "no_such_function", &missingFunction, 0,
           "vorn_homelib.dll", "home_answer", &homeAnswer, 0, 0};

static char emptyTable[1];

static int length(const char* t) {
    int n = 0;
    while (t[n]) ++n;
    return n;
}

VORN_MAIN {
    _krLoadLibs(emptyTable);

    /* vorn_homelib.dll lies in build/bin/vorn_home/userlibs/. */
    const char* appdir = _krStrToCStr(fsystemproperty(S("appdir")));
    static char home[400];
    int n = length(appdir);
    for (int i = 0; i < n; ++i) home[i] = appdir[i];
    const char* tail = "vorn_home";
    for (int i = 0; tail[i]; ++i) home[n++] = tail[i];
    fsetenv(S("vornpath"), S(home));
    _krStrTmpFree(3);

    /* CallDLL has no fallback: the library under vornpath is not found (and
     * once bound below it would be found by name, being loaded). */
    sayInt("CallDLL vornpath-only library: ", fcalldll(S("vorn_homelib.dll"), S("home_answer"), 0, 0));
    _krStrTmpFree(2);

    _krLoadLibs(&table);
    sayInt("add_numbers(40, 2): ", addNumbers(40, 2));
    sayInt("home_answer(6, 7): ", homeAnswer(6, 7));

    sayInt("CallDLL missing library: ", fcalldll(S("vorn_no_such_lib.dll"), S("x"), 0, 0));
    sayInt("CallDLL missing function: ", fcalldll(S("vorn_testlib.dll"), S("no_such_function"), 0, 0));
    sayInt("CallDLL no banks: ", fcalldll(S("vorn_testlib.dll"), S("empty_arguments"), 0, 0));
    _krStrTmpFree(6);

    /* The same call many times in each convention: a stack left unbalanced
     * by either would not survive the loop. */
    int in = fcreatebank(4), out = fcreatebank(3);
    for (int i = 0; i < 4; ++i) fpokebyte(in, i, 10 * (i + 1));
    int sum = 0;
    for (int i = 0; i < 200; ++i) {
        sum += fcalldll(S("vorn_testlib.dll"), S("reverse_stdcall"), in, out);
        sum += fcalldll(S("vorn_testlib.dll"), S("reverse_cdecl"), in, out);
        _krStrTmpFree(4);
    }
    sayInt("sum of 400 calls: ", sum);
    sayInt("out[0]: ", fpeekbyte(out, 0));
    sayInt("out[2]: ", fpeekbyte(out, 2));
    sayInt("banks passed: ", fcalldll(S("vorn_testlib.dll"), S("empty_arguments"), in, out));
    _krStrTmpFree(2);

    say("calling the missing function");
    missingFunction(1, 2);
    say("not reached");
}
