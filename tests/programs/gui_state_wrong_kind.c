/* SliderValue and ButtonState share one handler for buttons and sliders; a
 * text field has no such state. */
#include "gui_check.h"

VORN_MAIN {
    int w = fcreatewindow(TEXT("Kinds"), 0, 0, 200, 100, 0, 15);
    int field = fcreatetextfield(0, 0, 100, 20, w, 0);
    _krStrTmpFree(1);
    say("made");
    fslidervalue(field);
    say("not reached");
}
