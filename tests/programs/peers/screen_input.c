/* A windowed display for screen_input.sh: a blue 160 x 120 client area with
 * a red 20 x 10 block at (40, 30), then the pointer position, a click and a
 * key press that the script sends with xdotool, read through the polling
 * commands. Each wait gives up after ten seconds. */
#include "../lang_check.h"

static int waited(int start) { return fmillisecs() - start > 10000; }

VORN_MAIN {
    int start, hits = 0;
    fapptitle(_krStrFromCStr("vorn-screen-input"));
    _krStrTmpFree(1);
    fgraphics(160, 120, 32, 2);
    fclscolor(0, 0, 255);
    fcls();
    fcolor(255, 0, 0);
    frect(40, 30, 20, 10, 1);
    fflip(0);
    say("ready");

    start = fmillisecs();
    while (!(fmousex(0) == 100 && fmousey(0) == 50) && !waited(start)) fdelay(10);
    sayInt("mouse x: ", fmousex(0));
    sayInt("mouse y: ", fmousey(0));
    fmousexspeed(0);
    sayInt("second x speed: ", fmousexspeed(0));

    start = fmillisecs();
    while (!(hits = fmousehit(1)) && !waited(start)) fdelay(10);
    sayInt("left clicks: ", hits);

    start = fmillisecs();
    while (!(hits = fkeyhit(30)) && !waited(start)) fdelay(10);
    sayInt("key 30 hits: ", hits);
    fendgraphics();
}
