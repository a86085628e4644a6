/* The environment, system properties, the command line and the clock, as a
 * program sees them. */
#include "lang_check.h"

/* Literals and command results go on the temporary stack, counted so that
 * each section frees exactly what it made. */
static int pushed;
#define S(text) (++pushed, _krStrFromCStr(text))
#define T(result) (++pushed, _krStrTmp(result))
static void freeTemps(void) {
    _krStrTmpFree(pushed);
    pushed = 0;
}

static int length(const char* t) {
    int n = 0;
    while (t[n]) ++n;
    return n;
}

static char lower(char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; }

/* Whether `text` ends with `tail`, letter case ignored. */
static int endsWith(KrString* text, const char* tail) {
    const char* t = _krStrToCStr(text);
    int n = length(t), m = length(tail);
    if (m > n) return 0;
    for (int i = 0; i < m; ++i)
        if (lower(t[n - m + i]) != lower(tail[i])) return 0;
    return 1;
}

static int startsWith(KrString* text, const char* head) {
    const char* t = _krStrToCStr(text);
    while (*head)
        if (*t++ != *head++) return 0;
    return 1;
}

static int isDigit(char c) { return c >= '0' && c <= '9'; }

static int englishMonth(const char* t) {
    static const char months[] = "JanFebMarAprMayJunJulAugSepOctNovDec";
    for (int m = 0; m < 12; ++m)
        if (t[0] == months[3 * m] && t[1] == months[3 * m + 1] && t[2] == months[3 * m + 2]) return 1;
    return 0;
}

VORN_MAIN {
    /* Environment: set, read back, replace, remove. */
    CHECK(sameText(T(fgetenv(S("VORN_TEST_UNSET_VARIABLE"))), ""));
    fsetenv(S("VORN_TEST_VAR"), S("first value"));
    CHECK(sameText(T(fgetenv(S("VORN_TEST_VAR"))), "first value"));
    fsetenv(S("VORN_TEST_VAR"), S("second"));
    CHECK(sameText(T(fgetenv(S("VORN_TEST_VAR"))), "second"));
    fsetenv(S("VORN_TEST_VAR"), S(""));
    CHECK(sameText(T(fgetenv(S("VORN_TEST_VAR"))), ""));
    freeTemps();

    /* Property names in any letter case; unknown ones give "". */
    CHECK(sameText(T(fsystemproperty(S("cpu"))), "Intel"));
    CHECK(sameText(T(fsystemproperty(S("CPU"))), "Intel"));
    CHECK(sameText(T(fsystemproperty(S("gpu"))), ""));
    CHECK(sameText(T(fsystemproperty(S(""))), ""));
    KrString* appdir = T(fsystemproperty(S("AppDir")));
    CHECK(_krStrCompare(appdir, T(fsystemproperty(S("appdir")))) == 0);
    CHECK(_krStrCompare(appdir, T(fsystemproperty(S("APPDIR")))) == 0);
    CHECK(endsWith(appdir, "\\bin\\")); /* vornrun.exe runs from build/bin */
    CHECK(endsWith(T(fsystemproperty(S("windowsdir"))), "\\") && VIEW(T(fsystemproperty(S("WindowsDir"))))->length > 1);
    CHECK(endsWith(T(fsystemproperty(S("SystemDir"))), "\\system32\\"));
    CHECK(endsWith(T(fsystemproperty(S("TEMPDIR"))), "\\"));
    /* Every Windows this runs on has a name, the ones after XP included. */
    KrString* os = T(fsystemproperty(S("Os")));
    CHECK(startsWith(os, "Windows ") && VIEW(os)->length > 8);
    freeTemps();

    /* The arguments from NAME.args, as one text. */
    sayString("command line: ", T(fcommandline()));
    freeTemps();

    /* Delay waits at least as long as asked; a negative count not at all. */
    int before = fmillisecs();
    fdelay(50);
    CHECK(fmillisecs() - before >= 45);
    fdelay(-1);
    CHECK(fmillisecs() - before < 100000);

    /* "dd Mon yyyy" with an English month, "hh:mm:ss". */
    KrString* date = T(fcurrentdate());
    const char* d = _krStrToCStr(date);
    CHECK(VIEW(date)->length == 11);
    CHECK(isDigit(d[0]) && isDigit(d[1]) && d[2] == ' ' && englishMonth(d + 3) && d[6] == ' ');
    CHECK(isDigit(d[7]) && isDigit(d[8]) && isDigit(d[9]) && isDigit(d[10]));
    KrString* time = T(fcurrenttime());
    const char* t = _krStrToCStr(time);
    CHECK(VIEW(time)->length == 8 && t[2] == ':' && t[5] == ':');
    CHECK(isDigit(t[0]) && isDigit(t[1]) && isDigit(t[3]) && isDigit(t[4]) && isDigit(t[6]) && isDigit(t[7]));
    freeTemps();
    say("done");
}
