/* The gadget demo: a window with a menu bar, a status bar and panels that
 * follow its size; a list box in the side bar picks the page of a tabber,
 * whose first page holds a tree view. The status bar says what happened; File > Quit or the
 * close box ends it, and so does a minute without any event (three seconds
 * when the demo is given any argument). */
#include "vorn.h"

#define S(text) _krStrFromCStr(text)

enum { MENU_NEW = 1, MENU_QUIT = 2, MENU_GRID = 3, MENU_ABOUT = 4 };

static void status(int window, const char* what, int value) {
    KrString* line = _krStrConcat(S(what), _krStrFromInt(value));
    fsetstatustext(window, line);
    fprint(line);
    _krStrTmpFree(3);
}

VORN_MAIN {
    int window = fcreatewindow(S("Vorn Basic gadgets"), 80, 60, 480, 320, 0, 15 | 32);
    _krStrTmpFree(1);
    KrString* args = fcommandline();
    int patience = flen(args) > 0 ? 3000 : 60000;
    _krStrRelease(args);
    int root = fwindowmenu(window);
    int file = fcreatemenu(S("&File"), 0, root);
    fcreatemenu(S("&New"), MENU_NEW, file);
    fcreatemenu(S(""), 0, file);
    fcreatemenu(S("&Quit"), MENU_QUIT, file);
    int view = fcreatemenu(S("&View"), 0, root);
    int grid = fcreatemenu(S("&Grid"), MENU_GRID, view);
    int help = fcreatemenu(S("&Help"), 0, root);
    fcreatemenu(S("&About"), MENU_ABOUT, help);
    _krStrTmpFree(8);
    fupdatewindowmenu(window);
    fsetminwindowsize(window, 320, 240);

    /* A bar across the top, a side bar down the left, the rest for the main
     * area: pinned edges stretch with the window. */
    int bar = fcreatepanel(0, 0, 480, 32, window, 1);
    fsetgadgetlayout(bar, 1, 1, 1, 0);
    int side = fcreatepanel(0, 32, 120, 288, window, 1);
    fsetgadgetlayout(side, 1, 0, 1, 1);
    int area = fcreatepanel(120, 32, 360, 288, window, 1);
    fsetgadgetlayout(area, 1, 1, 1, 1);
    /* Centred in the main area: keeps its size, its centre follows. */
    fcreatepanel(130, 94, 100, 100, area, 1);
    fsetstatustext(window, S("Resize me, use the menu, press keys; close to end"));
    _krStrTmpFree(1);

    /* Pages: the side bar's list and the tabber's tabs name the same pages,
     * choosing one selects the other; the tree lives on the first page. */
    int pages = fcreatelistbox(4, 4, 108, 272, side, 0);
    fsetgadgetlayout(pages, 1, 1, 1, 1);
    int tabs = fcreatetabber(240, 100, 110, 176, area, 0);
    fsetgadgetlayout(tabs, 0, 1, 1, 1);
    faddgadgetitem(pages, S("Tree"), 1, -1);
    faddgadgetitem(pages, S("Empty"), 0, -1);
    faddgadgetitem(tabs, S("Tree"), 1, -1);
    faddgadgetitem(tabs, S("Empty"), 0, -1);
    int tree = fcreatetreeview(0, 0, fclientwidth(tabs), fclientheight(tabs), tabs, 0);
    fsetgadgetlayout(tree, 1, 1, 1, 1);
    int shapes = faddtreeviewnode(S("Shapes"), ftreeviewroot(tree));
    faddtreeviewnode(S("Circle"), shapes);
    faddtreeviewnode(S("Square"), shapes);
    fexpandtreeviewnode(shapes);
    _krStrTmpFree(7);

    for (;;) {
        int id = fwaitevent(patience);
        if (id == 0 || id == 0x803) break;
        if (id == 0x1001) {
            int item = feventdata();
            if (item == MENU_QUIT) break;
            if (item == MENU_GRID) {
                if (fmenuchecked(grid)) funcheckmenu(grid); else fcheckmenu(grid);
                fupdatewindowmenu(window);
            }
            status(window, "Menu item ", item);
        } else if (id == 0x401 && (feventsource() == pages || feventsource() == tabs)) {
            int page = feventdata();
            fselectgadgetitem(feventsource() == pages ? tabs : pages, page);
            if (page == 0) fshowgadget(tree); else fhidegadget(tree);
            status(window, "Page ", page);
        } else if (id == 0x401 && feventsource() == tree && fselectedtreeviewnode(tree)) {
            status(window, "Tree node children ", fcounttreeviewnodes(fselectedtreeviewnode(tree)));
        } else if (id == 0x802) {
            status(window, "Main area width ", fgadgetwidth(area));
        } else if (id == 0x101) {
            status(window, "Key ", feventdata());
        } else if (id == 0x201) {
            status(window, "Button ", feventdata());
        }
    }
    ffreegadget(window);
    fprint(S("Gadget demo ended"));
    _krStrTmpFree(1);
}
