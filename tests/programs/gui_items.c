/* The item commands on a combo box, a list box and a tabber as a program
 * sees them: selecting on add, insertion at the count, negative selections,
 * texts that outlive their item, the tabber's remove rules, and the error
 * for a gadget of another kind. */
#include "gui_check.h"

static void sayItems(const char* label, int gadget) {
    int i, n = fcountgadgetitems(gadget);
    fwrite(_krStrFromCStr(label));
    for (i = 0; i < n; ++i) {
        fwrite(_krStrTmp(fgadgetitemtext(gadget, i)));
        fwrite(_krStrFromCStr(i + 1 < n ? "," : ""));
    }
    fwrite(_krStrFromCStr(" selected "));
    fprint(_krStrFromInt(fselectedgadgetitem(gadget)));
    _krStrTmpFree(3 + n * 2);
}

VORN_MAIN {
    int w = fcreatewindow(TEXT("Items"), 0, 0, 400, 300, 0, 1 | 32);
    int kinds[3], k;
    KrString* kept;
    _krStrTmpFree(1);
    kinds[0] = fcreatecombobox(10, 10, 150, 24, w, 0);
    kinds[1] = fcreatelistbox(10, 40, 150, 100, w, 0);
    kinds[2] = fcreatetabber(170, 10, 200, 150, w, 0);
    sayInt("combo height ", fgadgetheight(kinds[0]));
    for (k = 0; k < 3; ++k) {
        int g = kinds[k];
        sayItems("new: ", g);
        faddgadgetitem(g, TEXT("b"), 0, -1);
        faddgadgetitem(g, TEXT("c"), 1, -1);
        finsertgadgetitem(g, 0, TEXT("a"), -1);
        finsertgadgetitem(g, 3, TEXT("d"), -1);
        _krStrTmpFree(4);
        fselectgadgetitem(g, 2);
        sayItems("filled: ", g);
        kept = fgadgetitemtext(g, 1);
        fmodifygadgetitem(g, 1, TEXT("B"), -1);
        _krStrTmpFree(1);
        sayString("kept text ", kept);
        _krStrRelease(kept);
        fselectgadgetitem(g, -5);
        sayItems("none: ", g);
        fcleargadgetitems(g);
        sayItems("cleared: ", g);
    }

    /* Tabs: the selection follows its tab; the last tab leaves none. */
    for (k = 0; k < 4; ++k) {
        faddgadgetitem(kinds[2], _krStrFromInt(k), 0, -1);
        _krStrTmpFree(1);
    }
    fselectgadgetitem(kinds[2], 2);
    fremovegadgetitem(kinds[2], 0);
    sayItems("earlier tab removed: ", kinds[2]);
    fremovegadgetitem(kinds[2], 1);
    sayItems("selected tab removed: ", kinds[2]);
    fremovegadgetitem(kinds[2], 1);
    sayItems("selected last tab removed: ", kinds[2]);
    fremovegadgetitem(kinds[2], 0);
    sayItems("only tab removed: ", kinds[2]);

    fcountgadgetitems(fcreatebutton(TEXT("Not a list"), 0, 0, 80, 24, w, 1));
    say("not reached");
}
