/* The program half of the simple-gadget input test: a window with a
 * tool bar (icons from tools.bmp in the working folder), a check box, a text
 * field and a slider. It says "ready", prints every gadget action and modal
 * event until the window is closed, then the states it reads back. */
#include "../gui_check.h"

static int box, field, slider, tools;

static const char* kindOf(int source) {
    if (source == box) return "box ";
    if (source == field) return "field ";
    if (source == slider) return "slider ";
    if (source == tools) return "tools ";
    return "other ";
}

VORN_MAIN {
    int w = fcreatewindow(TEXT("Vorn Simple Input"), 100, 100, 300, 200, 0, 1 | 32);
    int id;
    tools = fcreatetoolbar(TEXT("tools.bmp"), 0, 0, 300, 24, w, 0);
    box = fcreatebutton(TEXT("Tick"), 10, 40, 100, 20, w, 2);
    field = fcreatetextfield(10, 70, 150, 22, w, 0);
    slider = fcreateslider(10, 110, 200, 18, w, 1);
    _krStrTmpFree(3);
    fsetsliderrange(slider, 10, 100);
    say("ready");
    for (;;) {
        id = fwaitevent(-1);
        if (id == 0x803) break;
        if (id == 0x401) {
            fwrite(_krStrFromCStr("action "));
            fwrite(_krStrFromCStr(kindOf(feventsource())));
            fprint(_krStrFromInt(feventdata()));
            _krStrTmpFree(3);
        } else if (id == 0x2004) {
            say("modal begin");
        } else if (id == 0x2005) {
            say("modal end");
        }
    }
    say("close");
    sayInt("box ", fbuttonstate(box));
    sayString("field ", ftextfieldtext(field));
    sayInt("slider ", fslidervalue(slider));
    ffreegadget(w);
}
