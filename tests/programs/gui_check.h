/* Helpers for the gadget program tests: strings from C text and one line of
 * output per value. */
#ifndef GUI_CHECK_H
#define GUI_CHECK_H

#include "lang_check.h"

/* A temporary string of a C text, released with the next tmpFree. */
#define TEXT(s) _krStrFromCStr(s)

static void sayShape(const char* label, int gadget) {
    fwrite(_krStrFromCStr(label));
    fwrite(_krStrFromInt(fgadgetx(gadget)));
    fwrite(_krStrFromCStr(" "));
    fwrite(_krStrFromInt(fgadgety(gadget)));
    fwrite(_krStrFromCStr(" "));
    fwrite(_krStrFromInt(fgadgetwidth(gadget)));
    fwrite(_krStrFromCStr(" "));
    fprint(_krStrFromInt(fgadgetheight(gadget)));
    _krStrTmpFree(8);
}

#endif
