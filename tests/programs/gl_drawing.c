/* Drawing on an OpenGL display through the commands: the one mode, the
 * frame buffer's 24-bit format, fills and an oval (the software spans as
 * quads), a masked image drawn through its texture and drawn again after a
 * write to it, the read-back lock with a fast read and a poke written back,
 * and a CopyRect inside the display; read back with ReadPixel as letters. */
#include "image_check.h"

static char letter(int argb) {
    switch (argb) {
    case (int)RED: return 'R';
    case (int)GREEN: return 'G';
    case (int)BLUE: return 'B';
    case (int)BLACK: return '.';
    case (int)WHITE: return 'W';
    case (int)0xFFFF00FF: return 'M';
    default: return '?';
    }
}

static void showRows(int x0, int y0, int width, int height) {
    for (int y = y0; y < y0 + height; ++y) {
        char row[16];
        for (int x = 0; x < width; ++x) row[x] = letter(freadpixel(x0 + x, y, 0));
        row[width] = 0;
        say(row);
    }
}

VORN_MAIN {
    fsetgfxdriver(2);
    sayInt("modes ", fcountgfxmodes());
    sayInt("mode width ", fgfxmodewidth(1));
    sayInt("mode height ", fgfxmodeheight(1));
    sayInt("mode format ", fgfxmodeformat(1));
    fgraphics(64, 48, 0, 2);
    sayInt("format ", fgraphicsformat());
    sayInt("depth ", fgraphicsdepth());

    fcolor(255, 0, 0);
    frect(1, 1, 3, 2, 1);
    fcolor(0, 0, 255);
    foval(6, 0, 4, 4, 1);
    showRows(0, 0, 11, 4);

    int image = fcreateimage(4, 3, 1, 1);
    fsetbuffer(fimagebuffer(image, 0));
    fclscolor(255, 0, 255);
    fcls();
    fcolor(0, 255, 0);
    fplot(1, 1);
    fplot(2, 1);
    fmaskimage(image, 255, 0, 255);
    fsetbuffer(fbackbuffer());
    fcolor(0, 0, 255);
    frect(20, 0, 6, 5, 1);
    fdrawimage(image, 21, 1, 0);
    showRows(20, 0, 6, 5);
    fsetbuffer(fimagebuffer(image, 0));
    fwritepixel(0, 0, (int)WHITE, 0);
    fsetbuffer(fbackbuffer());
    fdrawimage(image, 21, 1, 0);
    sayInt("drawn again after a write ", freadpixel(21, 1, 0) == (int)WHITE);

    flockbuffer(0);
    sayInt("locked format ", flockedformat(0));
    sayInt("fast read red ", freadpixelfast(1, 1, 0) == (int)RED);
    fwritepixelfast(40, 40, (int)WHITE, 0);
    funlockbuffer(0);
    sayInt("poked white ", freadpixel(40, 40, 0) == (int)WHITE);

    fcopyrect(1, 1, 3, 2, 30, 10, 0, 0);
    showRows(29, 9, 5, 4);
    fendgraphics();
}
