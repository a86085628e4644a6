/* Child processes read and written through their ProcStream, and the texts
 * that ExecFile refuses before it asks the shell. */
#include "lang_check.h"

#define S(text) _krStrFromCStr(text)

static int bank;

/* Reads from the stream until `want` bytes have come or a read returns 0;
 * the bytes become the text of `out`. Returns the count read. */
static int readText(int stream, char* out, int want) {
    int got = 0;
    while (got < want) {
        int n = freadbytes(bank, stream, 0, want - got);
        if (n == 0) break;
        for (int i = 0; i < n; ++i) out[got + i] = (char)fpeekbyte(bank, i);
        got += n;
    }
    out[got] = 0;
    return got;
}

static void writeText(int stream, const char* text) {
    int n = 0;
    while (text[n]) {
        fpokebyte(bank, n, text[n]);
        ++n;
    }
    CHECK(fwritebytes(bank, stream, 0, n) == n);
}

VORN_MAIN {
    bank = fcreatebank(256);
    char text[257];

    /* Targets ExecFile cannot use. */
    sayInt("empty: ", fexecfile(S("")));
    sayInt("spaces: ", fexecfile(S("    ")));
    sayInt("unclosed quote: ", fexecfile(S("  \"notepad.exe /p")));
    sayInt("empty quotes: ", fexecfile(S("\"\" args")));
    static char longName[300];
    for (int i = 0; i < 256; ++i) longName[i] = 'x';
    sayInt("256-character name: ", fexecfile(S(longName)));
    _krStrTmpFree(5);

    /* A child's output up to its end; the failed read at the end returns 0. */
    int echo = fcreateprocess(S("cmd /c echo hi"));
    CHECK(echo != 0);
    int n = readText(echo, text, 256);
    sayInt("cmd bytes: ", n);
    say(text); /* "hi" and its CR LF */
    CHECK(freadbytes(bank, echo, 0, 10) == 0);
    _krStrTmpFree(1);

    /* A child that answers each line of its standard input. */
    int child = fcreateprocess(S("echo_child.exe"));
    CHECK(child != 0 && child != echo);
    writeText(child, "hello\n");
    readText(child, text, 13);
    say(text);
    writeText(child, "second line\n");
    readText(child, text, 19);
    say(text);
    _krStrTmpFree(1);

    /* A program that does not exist: no stream. */
    sayInt("missing program: ", fcreateprocess(S("vorn_no_such_program.exe")));
    _krStrTmpFree(1);
}
