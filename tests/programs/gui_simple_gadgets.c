/* The simple gadgets through the commands a program has: label text, the
 * button and slider states that share their commands, slider clamping, a
 * text field's contents, and the commands of progress bars, panels, tool bars
 * and html views running on gadgets that have nothing to show. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Simple"), 20, 20, 400, 300, 0, 1 | 32);
    int label = fcreatelabel(TEXT("Name:"), 10, 10, 60, 16, w, 3);
    int box = fcreatebutton(TEXT("Tick"), 10, 30, 80, 20, w, 2);
    int push = fcreatebutton(TEXT("Go"), 100, 30, 80, 20, w, 1);
    int field = fcreatetextfield(10, 60, 200, 20, w, 0);
    int slider = fcreateslider(10, 90, 200, 16, w, 1);
    int bar = fcreateprogbar(10, 110, 200, 16, w, 0);
    int panel = fcreatepanel(10, 130, 50, 50, w, 1);
    int tools = fcreatetoolbar(TEXT("no_such_icons.bmp"), 0, 0, 100, 20, w, 0);
    int view = fcreatehtmlview(100, 130, 200, 100, w, 0);
    _krStrTmpFree(5);

    sayString("label ", fgadgettext(label));
    sayInt("label in window ", fgadgetgroup(label) == w);

    sayInt("box ", fbuttonstate(box));
    fsetbuttonstate(box, 3);
    sayInt("box ", fbuttonstate(box));
    fsetbuttonstate(box, 0);
    sayInt("box ", fbuttonstate(box));
    sayInt("push ", fbuttonstate(push));

    sayString("field '", ftextfieldtext(field));
    fsetgadgettext(field, TEXT("typed text"));
    _krStrTmpFree(1);
    sayString("field ", ftextfieldtext(field));
    sayString("stored ", fgadgettext(field));

    /* Range 0..99 with a page of 10: the value stays within 0..90. */
    fsetsliderrange(slider, 10, 100);
    fsetslidervalue(slider, 95);
    sayInt("slider ", fslidervalue(slider));
    fsetslidervalue(slider, -7);
    sayInt("slider ", fslidervalue(slider));
    fsetbuttonstate(slider, 33);
    sayInt("slider ", fbuttonstate(slider));

    fupdateprogbar(bar, 0.5f);
    fsetpanelcolor(panel, 10, 20, 30);
    fsetpanelimage(panel, TEXT("no_such_picture.bmp"));
    fsettoolbartips(tools, TEXT("Open,Save"));
    _krStrTmpFree(2);
    fdisabletoolbaritem(tools, 0);
    fenabletoolbaritem(tools, 5);
    fhtmlviewgo(view, TEXT("about:blank"));
    _krStrTmpFree(1);
    fhtmlviewback(view);
    fhtmlviewforward(view);
    say("commands ran");

    ffreegadget(w);
    say("freed");
}
