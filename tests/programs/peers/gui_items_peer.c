/* The program half of the item-list click test: a window with a list box and a tree view in a 40-pixel
 * font (rows tall enough to hit without knowing the exact row height), a
 * tabber with a narrow first tab and a wide second one, and a combo box that
 * takes the keyboard focus once the window is active. It prints each
 * selection event with the stored selection, and what is stored at the
 * close. It first prints where its client area lies on the screen (the
 * frame's border is as wide on each side and at the bottom). */
#include "../gui_check.h"

static int combo, list, tabber, tree, nodeA, nodeB;

static const char* nodeName(int node) { return node == nodeA ? "A" : node == nodeB ? "B" : "none"; }

static void sayAction(const char* kind, int data, const char* selected) {
    fwrite(_krStrFromCStr(kind));
    fwrite(_krStrFromInt(data));
    fwrite(_krStrFromCStr(" selected "));
    fprint(_krStrFromCStr(selected));
    _krStrTmpFree(4);
}

static const char* digit(int n) { return n == -1 ? "-1" : n == 0 ? "0" : n == 1 ? "1" : n == 2 ? "2" : "?"; }

VORN_MAIN {
    int w = fcreatewindow(TEXT("Vorn Items Test"), 100, 100, 400, 300, 0, 1 | 32);
    int font = floadfont(TEXT("Arial"), 40, 0, 0, 0);
    int root, id, focused = 0, border;
    _krStrTmpFree(2);
    border = (fgadgetwidth(w) - fclientwidth(w)) / 2;
    sayInt("client x ", fgadgetx(w) + border);
    sayInt("client y ", fgadgety(w) + fgadgetheight(w) - border - fclientheight(w));
    list = fcreatelistbox(10, 10, 150, 120, w, 0);
    fsetgadgetfont(list, font);
    faddgadgetitem(list, TEXT("zero"), 0, -1);
    faddgadgetitem(list, TEXT("one"), 0, -1);
    tabber = fcreatetabber(200, 10, 180, 120, w, 0);
    faddgadgetitem(tabber, TEXT("A"), 1, -1);
    faddgadgetitem(tabber, TEXT("Beta-Beta-Beta"), 0, -1);
    combo = fcreatecombobox(10, 150, 150, 24, w, 0);
    faddgadgetitem(combo, TEXT("red"), 1, -1);
    faddgadgetitem(combo, TEXT("green"), 0, -1);
    faddgadgetitem(combo, TEXT("blue"), 0, -1);
    tree = fcreatetreeview(200, 150, 180, 140, w, 0);
    fsetgadgetfont(tree, font);
    root = ftreeviewroot(tree);
    nodeA = faddtreeviewnode(TEXT("root A"), root);
    nodeB = faddtreeviewnode(TEXT("root B"), root);
    _krStrTmpFree(9);
    /* Selected by the program: no event, and focus will not select for us. */
    fselecttreeviewnode(nodeA);
    factivategadget(combo);
    say("ready");
    for (;;) {
        id = fwaitevent(-1);
        if (id == 0x803) break;
        if (id == 0x804 && !focused) {
            focused = 1;
            factivategadget(combo);
            say("focused");
        }
        if (id != 0x401) continue;
        if (feventsource() == combo) sayAction("combo ", feventdata(), digit(fselectedgadgetitem(combo)));
        if (feventsource() == list) sayAction("list ", feventdata(), digit(fselectedgadgetitem(list)));
        if (feventsource() == tabber) sayAction("tab ", feventdata(), digit(fselectedgadgetitem(tabber)));
        if (feventsource() == tree) sayAction("tree ", feventdata(), nodeName(fselectedtreeviewnode(tree)));
    }
    sayInt("at close list ", fselectedgadgetitem(list));
    sayInt("at close tab ", fselectedgadgetitem(tabber));
    sayInt("at close combo ", fselectedgadgetitem(combo));
    fwrite(_krStrFromCStr("at close tree "));
    fprint(_krStrFromCStr(nodeName(fselectedtreeviewnode(tree))));
    _krStrTmpFree(2);
    ffreegadget(w);
}
