/* The demo program, written in C against the runtime's SDK header: it uses
 * what the runtime offers so far and grows with it. */
#include "vorn.h"

#define S(text) _krStrFromCStr(text)

static void VORN_API line(const char* label, KrString* value) {
    fprint(_krStrConcat(S(label), value));
    _krStrTmpFree(3);
}

VORN_MAIN {
    fprint(S("Vorn Basic runtime demo"));
    _krStrTmpFree(1);

    line("7 * 6 = ", _krStrFromInt(7 * 6));
    line("1 / 3 = ", _krStrFromFloat(1.0f / 3.0f));

    int bank = fcreatebank(16);
    for (int i = 0; i < 16; ++i) fpokebyte(bank, i, i * i);
    line("Bank byte 12 = ", _krStrFromInt(fpeekbyte(bank, 12)));
    line("Live runtime objects: ", _krStrFromInt(factiveobjects()));
    ffreebank(bank);
    fend();
}
