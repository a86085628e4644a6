/* Helpers for the multiplayer program tests. */
#ifndef NETGAME_CHECK_H
#define NETGAME_CHECK_H

#include "lang_check.h"

/* A text of our own (not on the temporary stack). */
static KrString* owned(const char* text) {
    KrString* s = _krStrRetain(_krStrFromCStr(text));
    _krStrTmpFree(1);
    return s;
}

/* base + the clock: a game name that sessions of other test runs on this
 * machine do not have. */
static KrString* uniqueGameName(const char* base) {
    KrString* s = _krStrRetain(_krStrConcat(_krStrFromCStr(base), _krStrFromInt(fmillisecs())));
    _krStrTmpFree(3);
    return s;
}

/* Waits up to `ms` for a message: 1 when one became current. */
static int nextNetMsg(int ms) {
    int start = fmillisecs();
    while (fmillisecs() - start < ms) {
        if (frecvnetmsg()) return 1;
        fdelay(5);
    }
    return 0;
}

static void sayPlayer(const char* label, int player) {
    KrString* name = fnetplayername(player);
    sayString(label, name);
    _krStrRelease(name);
}

static void sayData(const char* label) {
    KrString* data = fnetmsgdata();
    sayString(label, data);
    _krStrRelease(data);
}

#endif
