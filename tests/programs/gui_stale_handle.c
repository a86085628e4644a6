/* A gadget freed with its window leaves a handle that fails the check. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Stale"), 0, 0, 200, 100, 0, 15);
    int panel;
    _krStrTmpFree(1);
    panel = fcreatepanel(0, 0, 10, 10, w, 0);
    sayInt("group ", fgadgetgroup(panel) == w);
    ffreegadget(w);
    say("window freed");
    fgadgetx(panel);
    say("not reached");
}
