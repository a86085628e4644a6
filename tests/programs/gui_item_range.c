/* An insertion place past the count of a list box's items is refused. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Range"), 0, 0, 200, 200, 0, 1);
    int list;
    _krStrTmpFree(1);
    list = fcreatelistbox(0, 0, 100, 100, w, 0);
    faddgadgetitem(list, TEXT("only"), 0, -1);
    finsertgadgetitem(list, 1, TEXT("at the count"), -1);
    _krStrTmpFree(2);
    sayInt("count ", fcountgadgetitems(list));
    finsertgadgetitem(list, 3, TEXT("past it"), -1);
    say("not reached");
}
