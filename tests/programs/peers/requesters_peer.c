/* The program half of the requester test: a window whose text area has the
 * keyboard focus, then, one after the other, Proceed, RequestFile with the
 * extensions bmp and png, RequestColor starting at orange, RequestFont and
 * RequestDir, printing each result. Then the first action of the text area
 * (a key typed where the focus went back after the dialogs) and the close. */
#include "../gui_check.h"

VORN_MAIN {
    int w, area, id;
    fapptitle(TEXT("Vorn Requesters"));
    w = fcreatewindow(TEXT("Vorn Requester Window"), 100, 100, 360, 240, 0, 15);
    _krStrTmpFree(2);
    area = fcreatetextarea(10, 10, 300, 150, w, 0);
    factivatewindow(w);
    factivategadget(area);
    say("ready");
    sayInt("proceed ", fproceed(TEXT("Go on?"), 0));
    sayString("file ", frequestfile(TEXT("Vorn Pick File"), TEXT("bmp,png"), 0));
    _krStrTmpFree(3);
    say("asking colour");
    sayInt("colour ", frequestcolor(255, 128, 0));
    sayInt("red ", frequestedred());
    sayInt("green ", frequestedgreen());
    sayInt("blue ", frequestedblue());
    say("asking font");
    sayInt("font ", frequestfont());
    sayString("directory '", frequestdir(TEXT("Vorn Pick Directory")));
    _krStrTmpFree(1);
    for (;;) {
        id = fwaitevent(-1);
        if (id == EVENT_WINDOW_CLOSE) break;
        if (id == EVENT_GADGET_ACTION && feventsource() == area && feventdata() == 1) say("typed into the text area");
    }
    sayString("text ", ftextareatext(area, 0, -1, 1));
    ffreegadget(w);
}
