/* A creation command checks its group as a group gadget: a menu is not one. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Group"), 0, 0, 200, 100, 0, 15);
    _krStrTmpFree(1);
    say("window made");
    fcreatepanel(0, 0, 10, 10, fwindowmenu(w), 0);
    say("not reached");
}
