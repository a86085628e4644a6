/* A program pacing itself with WaitTimer while polling input, as a game
 * loop does, then ending with its timer still running (the timer driver
 * releases it). A failed check ends with "Invalid Timer handle". */
#include "vorn.h"

static void VORN_API check(int ok) {
    if (!ok) ftimerticks(1);
}

VORN_MAIN {
    int timer, frame, total = 0;
    check(fcreatetimer(0.0f) == 0);
    timer = fcreatetimer(50.0f);
    check(timer != 0);
    for (frame = 0; frame < 5; ++frame) {
        int ticks = fwaittimer(timer);
        check(ticks >= 1);
        total += ticks;
        check(fkeyhit(1) == 0);
        check(fmousehit(1) == 0);
        check(fgetkey() == 0);
    }
    check(ftimerticks(timer) >= total);
    fresettimer(timer);
    check(ftimerticks(timer) <= 1);
    fpausetimer(timer);
    fflushevents(-1, timer);
    check(fpeekevent() == 0);
    fresumetimer(timer);
}
