/* Text area positions, lengths and ranges as programs pass them: lines and
 * characters clamped to the text, default, negative and too long ranges,
 * replacing past the end, adding text, and the requested colour before any
 * colour request. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Text areas"), 20, 20, 400, 300, 0, 1);
    int t, u;
    _krStrTmpFree(1);
    t = fcreatetextarea(10, 10, 300, 120, w, 0);
    u = fcreatetextarea(10, 140, 300, 120, w, 1);
    sayInt("empty length ", ftextarealen(t, 1));
    sayInt("empty lines ", ftextarealen(t, 2));
    sayString("empty text '", ftextareatext(t, 0, -1, 1));

    /* 18 characters on 3 lines: "first" CR LF "second" CR LF "end". */
    fsettextareatext(t, TEXT("first\r\nsecond\r\nend"), 0, -1, 1);
    _krStrTmpFree(1);
    sayInt("length ", ftextarealen(t, 1));
    sayInt("lines ", ftextarealen(t, 2));
    sayInt("units 0 counts characters ", ftextarealen(t, 0));
    sayInt("whole by default ", sameText(ftextareatext(t, 0, -1, 1), "first\r\nsecond\r\nend"));
    sayInt("whole in lines ", sameText(ftextareatext(t, 0, -1, 2), "first\r\nsecond\r\nend"));
    sayInt("line 1 with its break ", sameText(ftextareatext(t, 1, 1, 2), "second\r\n"));
    sayString("characters 7-12 ", ftextareatext(t, 7, 6, 1));
    sayString("negative position ", ftextareatext(t, -3, 5, 1));
    sayString("negative length ", ftextareatext(t, 15, -1, 1));
    sayString("past the end '", ftextareatext(t, 40, 2, 1));

    sayInt("char of line -5 ", ftextareachar(t, -5));
    sayInt("char of line 1 ", ftextareachar(t, 1));
    sayInt("char of line 2 ", ftextareachar(t, 2));
    sayInt("char of the line count ", ftextareachar(t, 3));
    sayInt("line of char -1 ", ftextarealine(t, -1));
    sayInt("line of char 7 ", ftextarealine(t, 7));
    sayInt("line of the end ", ftextarealine(t, 18));
    sayInt("line of char 1000000 ", ftextarealine(t, 1000000));
    sayInt("length of line 0 ", ftextarealinelen(t, 0));
    sayInt("length of line 1 ", ftextarealinelen(t, 1));
    sayInt("length of line 2 ", ftextarealinelen(t, 2));
    sayInt("length of line 3 ", ftextarealinelen(t, 3));
    sayInt("length of line -1 ", ftextarealinelen(t, -1));
    sayInt("length of line 2147483647 ", ftextarealinelen(t, 2147483647));

    /* Replacing nothing past the end appends; adding leaves the cursor at the end. */
    fsettextareatext(u, TEXT("abc"), 0, -1, 1);
    fsettextareatext(u, TEXT("x"), 5, 0, 1);
    _krStrTmpFree(2);
    sayString("appended ", ftextareatext(u, 0, -1, 1));
    faddtextareatext(u, TEXT("yz"));
    _krStrTmpFree(1);
    sayString("added ", ftextareatext(u, 0, -1, 1));
    sayInt("cursor ", ftextareacursor(u, 1));
    sayInt("cursor line ", ftextareacursor(u, 2));
    sayInt("selection ", ftextareasellen(u, 1));
    sayInt("selected lines ", ftextareasellen(u, 2));
    fsettextareatext(u, TEXT(""), 1, 2, 1);
    _krStrTmpFree(1);
    sayString("deleted ", ftextareatext(u, 0, -1, 1));
    /* An empty line range inserts at the start of its line. */
    fsettextareatext(t, TEXT(">"), 2, 0, 2);
    _krStrTmpFree(1);
    sayString("line 2 now ", ftextareatext(t, 15, -1, 1));
    /* Formatting an empty range or with odd values changes no text. */
    fformattextareatext(t, 255, 0, 0, 1, 3, 0, 1);
    fformattextareatext(t, 999, -1, 65536, -1, -7, 2000000000, 2);
    sayInt("length after formatting ", ftextarealen(t, 1));

    sayInt("requested red ", frequestedred());
    sayInt("requested green ", frequestedgreen());
    sayInt("requested blue ", frequestedblue());
}
