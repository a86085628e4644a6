/* A windowed display: the mode list, opening a 64 x 48 window, drawing into
 * the back buffer, flipping and reading the pixels back, the display
 * buffers, nested locks, gamma and the pointer speed; then closing it and
 * finding the desktop screen current again. Needs the X display (Xvfb at
 * 1024 x 768, 24-bit: the display format is 32-bit XRGB, code 4). */
#include "lang_check.h"

VORN_MAIN {
    int modes, i, front;

    CHECK(fcountgfxdrivers() == 3);
    sayString("driver 3: ", fgfxdrivername(3));
    modes = fcountgfxmodes();
    CHECK(modes > 0);
    CHECK(fgfxmodeexists(0, 0, 0, 0) == 1);
    for (i = 1; i <= modes; ++i) {
        int format = fgfxmodeformat(i);
        CHECK(format >= 1 && format <= 4);
        CHECK(fgfxmodedepth(i) == (format == 3 ? 24 : format == 4 ? 32 : 16));
        CHECK(fgfxmodeexists(fgfxmodewidth(i), fgfxmodeheight(i), fgfxmodedepth(i), format) == 1);
    }
    CHECK(fgfxmodeexists(1, 1, 0, 0) == 0);
    CHECK(fgfxmodeexists(0, 0, 8, 0) == 0);

    /* Before Graphics the desktop screen is current. */
    sayInt("desktop width: ", fgraphicswidth());
    sayInt("desktop height: ", fgraphicsheight());
    CHECK(ffrontbuffer() == 0);

    fgraphics(64, 48, 16, 2);
    sayInt("width: ", fgraphicswidth());
    sayInt("height: ", fgraphicsheight());
    sayInt("format: ", fgraphicsformat());
    sayInt("depth: ", fgraphicsdepth());
    front = ffrontbuffer();
    CHECK(front != 0);
    CHECK(fbackbuffer() == front);
    CHECK(fgraphicsbuffer() == front);

    /* Both pages start in the clear colour. */
    CHECK(freadpixel(5, 5, 0) == (int)0xFF000000);
    fcolor(255, 0, 0);
    frect(10, 10, 4, 3, 1);
    fflip(0);
    flockbuffer(0);
    flockbuffer(front);
    funlockbuffer(0);
    CHECK(flockedpitch(0) >= 64 * 4);
    CHECK(flockedformat(0) == 4);
    CHECK(freadpixelfast(10, 10, 0) == (int)0xFFFF0000);
    CHECK(freadpixelfast(13, 12, 0) == (int)0xFFFF0000);
    CHECK(freadpixelfast(14, 10, 0) == (int)0xFF000000);
    CHECK(freadpixelfast(10, 13, 0) == (int)0xFF000000);
    funlockbuffer(0);

    CHECK(fgammared(10) == 10);
    fsetgamma(10, 10, 10, 200, 201, 202);
    sayInt("gamma red 10: ", fgammared(10));
    sayInt("gamma green 10: ", fgammagreen(10));
    sayInt("gamma blue 10: ", fgammablue(10));
    CHECK(fgammablue(11) == 11);
    fsetgamma(266, 266, 266, 5, 5, 5); /* sources are taken modulo 256 */
    CHECK(fgammared(10) == 5);
    fupdategamma(0);

    fmousexspeed(0);
    CHECK(fmousexspeed(0) == 0);
    fmouseyspeed(0);
    CHECK(fmouseyspeed(0) == 0);

    fvwait(1);
    CHECK(fscanline() >= 0);
    CHECK(ftotalvidmem() >= favailvidmem());

    fendgraphics();
    CHECK(ffrontbuffer() == 0);
    CHECK(fgraphicsbuffer() == 0);
    sayInt("desktop width again: ", fgraphicswidth());
    say("done");
}
