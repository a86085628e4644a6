/* The program half of the real-input test: opens a window, says "ready", then
 * prints each key, button and wheel event that reaches it until its close box
 * is pressed, and what the polling commands saw. */
#include "../gui_check.h"

static void sayEvent(const char* what, int a) {
    fwrite(_krStrFromCStr(what));
    fprint(_krStrFromInt(a));
    _krStrTmpFree(2);
}

VORN_MAIN {
    int w = fcreatewindow(TEXT("Vorn Input Test"), 100, 100, 300, 200, 0, 15);
    int id;
    _krStrTmpFree(1);
    say("ready");
    for (;;) {
        id = fwaitevent(-1);
        if (id == 0x803) break;
        switch (id) {
        case 0x101: sayEvent("key down ", feventdata()); break;
        case 0x102: sayEvent("key up ", feventdata()); break;
        case 0x103: sayEvent("char ", feventdata()); break;
        case 0x201: sayEvent("mouse down ", feventdata() * 100 + feventx() * 10 + feventy()); break;
        case 0x202: sayEvent("mouse up ", feventdata() * 100 + feventx() * 10 + feventy()); break;
        case 0x204: sayEvent("wheel ", feventdata()); break;
        }
    }
    sayInt("close from window ", feventsource() == w);
    sayInt("key hits ", fkeyhit(30));
    sayInt("clicks ", fmousehit(1));
    sayInt("wheel ", fmousez());
    ffreegadget(w);
}
