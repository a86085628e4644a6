/* Text area commands check their handle's type: a window is no text area. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Not a text area"), 0, 0, 200, 100, 0, 1);
    _krStrTmpFree(1);
    say("window made");
    faddtextareatext(w, TEXT("text"));
    say("not reached");
}
