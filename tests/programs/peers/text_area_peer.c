/* The program half of the text area typing test: a window with a text area
 * holding "ab" that takes the keyboard focus whenever the window is
 * activated. It prints each action event of the area; at the first cursor
 * move after two changes it locks the area for two seconds (a timer), then
 * unlocks it. When the window is closed it prints the area's text. */
#include "../gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Vorn Text Area Test"), 100, 100, 360, 240, 0, 15);
    int area, id, timer = 0, lockedOnce = 0, changes = 0;
    _krStrTmpFree(1);
    area = fcreatetextarea(10, 10, 300, 150, w, 0);
    fsettextareatext(area, TEXT("ab"), 0, -1, 1);
    _krStrTmpFree(1);
    factivategadget(area);
    say("ready");
    for (;;) {
        id = fwaitevent(-1);
        if (id == EVENT_WINDOW_CLOSE) break;
        if (id == EVENT_WINDOW_ACTIVATE) {
            factivategadget(area);
            say("focused");
        } else if (id == EVENT_GADGET_ACTION && feventsource() == area) {
            sayInt("action ", feventdata());
            changes += feventdata() == 1;
            if (feventdata() == 0 && changes == 2 && !lockedOnce) {
                lockedOnce = 1;
                flocktextarea(area);
                timer = fcreatetimer(0.5f);
                say("locked");
            }
        } else if (id == EVENT_TIMER_TICK && timer && feventsource() == timer) {
            ffreetimer(timer);
            timer = 0;
            funlocktextarea(area);
            say("unlocked");
        }
    }
    sayString("text ", ftextareatext(area, 0, -1, 1));
    ffreegadget(w);
}
