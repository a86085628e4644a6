/* The demo program, written in C against the runtime's SDK header: a tour of
 * what the runtime offers so far. It grows with the runtime. */
#include "vorn.h"

#define S(text) _krStrFromCStr(text)

/* Prints label and value; value is a new reference owned by this call. */
static void VORN_API show(const char* label, KrString* value) {
    fprint(_krStrConcat(S(label), value));
    _krStrTmpFree(2);
    _krStrRelease(value);
}

VORN_MAIN {
    fprint(S("Vorn Basic runtime demo"));
    fprint(S("======================="));
    _krStrTmpFree(2);

    show("Arguments:        ", fcommandline());
    show("Operating system: ", fsystemproperty(S("os")));
    _krStrTmpFree(1);

    /* Strings and numbers. */
    show("Upper case:       ", fupper(S("hello, world")));
    show("Replaced:         ", freplace(S("one two one"), S("one"), S("three")));
    _krStrTmpFree(4);
    show("Hex of 48879:     ", fhex(48879));
    fprint(_krStrConcat(S("Square root of 2: "), _krStrFromFloat(fsqr(2.0f))));
    fprint(_krStrConcat(S("Sine of 30:       "), _krStrFromFloat(fsin(30.0f))));
    _krStrTmpFree(6);
    fseedrnd(2026);
    fprint(_krStrConcat(S("Dice (seed 2026): "), _krStrFromInt(frand(1, 6))));
    _krStrTmpFree(3);

    /* A bank. */
    int bank = fcreatebank(16);
    for (int i = 0; i < 16; ++i) fpokebyte(bank, i, i * i);
    fprint(_krStrConcat(S("Bank byte 12:     "), _krStrFromInt(fpeekbyte(bank, 12))));
    _krStrTmpFree(3);
    ffreebank(bank);

    /* A file written and read back. */
    int out = fwritefile(S("vorn_demo.txt"));
    fwriteline(out, S("a line written by the demo"));
    fclosefile(out);
    int in = freadfile(S("vorn_demo.txt"));
    show("Read back:        ", freadline(in));
    fclosefile(in);
    fdeletefile(S("vorn_demo.txt"));
    _krStrTmpFree(4);

    /* A timer pacing three steps at 20 Hz. */
    int timer = fcreatetimer(20.0f);
    int start = fmillisecs();
    for (int i = 0; i < 3; ++i) fwaittimer(timer);
    ffreetimer(timer);
    int elapsed = fmillisecs() - start;
    fprint(_krStrConcat(_krStrConcat(S("Three 20 Hz ticks took "), _krStrFromInt(elapsed)), S(" ms")));
    _krStrTmpFree(5);

    /* Every runtime object alive now: the runtime's own (shared strings,
       modules, drivers) and whatever the program still holds. */
    show("Live objects:     ", _krStrRetain(_krStrFromInt(factiveobjects())));
    fprint(S("                  (the runtime's own objects, such as its shared strings and"));
    fprint(S("                  modules, and what the program holds; End frees them all)"));
    _krStrTmpFree(3);
    fend();
}
