/* Gadgets follow their window's client size by their edge modes: free edges
 * keep the size and scale the centre, pinned edges keep their distance,
 * scaled edges scale; SetGadgetShape makes the new shape the layout origin. */
#include "gui_check.h"

VORN_MAIN {
    /* Client-size style: the client area is exactly 400 x 300. */
    int w = fcreatewindow(TEXT("Layout"), 20, 20, 400, 300, 0, 1 | 2 | 32);
    int centred, stretched, right, small, scaled;
    _krStrTmpFree(1);
    sayInt("client ", fclientwidth(w));
    sayInt("client ", fclientheight(w));
    centred = fcreatepanel(50, 10, 100, 20, w, 0);
    stretched = fcreatepanel(10, 40, 380, 20, w, 0);
    fsetgadgetlayout(stretched, 1, 1, 1, 0);
    right = fcreatepanel(300, 70, 50, 20, w, 0);
    fsetgadgetlayout(right, 0, 1, 1, 0);
    sayString("text '", fgadgettext(centred));

    fsetgadgetshape(w, 20, 20, 800, 300);
    sayInt("client ", fclientwidth(w));
    sayShape("centred ", centred);
    sayShape("stretched ", stretched);
    sayShape("right ", right);

    /* A new origin: (0 + 50) * 400 / 800 - 50 = -25. */
    fsetgadgetshape(centred, 0, 10, 100, 20);
    fsetgadgetshape(w, 20, 20, 400, 300);
    sayShape("centred ", centred);
    sayShape("stretched ", stretched);

    /* Both edges scaled: x 10 width 20 in a client 100 wide becomes x 20 width 40 at 200. */
    small = fcreatewindow(TEXT("Small"), 500, 20, 100, 100, 0, 1 | 32);
    _krStrTmpFree(1);
    scaled = fcreatepanel(10, 10, 20, 20, small, 0);
    fsetgadgetlayout(scaled, 2, 2, 1, 0);
    fsetgadgetshape(small, 500, 20, 200, 100);
    sayShape("scaled ", scaled);

    /* Freeing the window frees its gadgets; FreeGadget 0 does nothing. */
    ffreegadget(0);
    ffreegadget(w);
    ffreegadget(small);
    say("freed");
}
