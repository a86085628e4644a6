/* Drawing into an image's buffer: an outline, a line, a plot through the
 * origin and Cls inside a viewport, read back with ReadPixel as letters;
 * then the pixel commands at and past the edges, and a fast read of a buffer
 * that is not locked, which ends the run. */
#include "image_check.h"

static char letter(int argb) {
    switch (argb) {
    case (int)RED: return 'R';
    case (int)GREEN: return 'G';
    case (int)BLUE: return 'B';
    case (int)BLACK: return '.';
    case (int)0xFF010203: return 'c';
    default: return '?';
    }
}

VORN_MAIN {
    int image = fcreateimage(9, 7, 1, 1);
    fsetbuffer(fimagebuffer(image, 0));
    fcolor(255, 0, 0);
    frect(0, 0, 9, 7, 0);
    fcolor(0, 255, 0);
    fline(1, 1, 7, 5);
    fcolor(0, 0, 255);
    forigin(1, 0);
    fplot(6, 1);
    forigin(0, 0);
    fclscolor(1, 2, 3);
    fviewport(2, 2, 3, 3);
    fcls();
    fviewport(0, 0, 9, 7);
    for (int y = 0; y < 7; ++y) {
        char row[10];
        for (int x = 0; x < 9; ++x) row[x] = letter(freadpixel(x, y, 0));
        row[9] = 0;
        say(row);
    }
    sayInt("read outside ", freadpixel(20, 20, 0));
    fwritepixel(-1, 0, WHITE, 0);
    flockbuffer(0);
    fwritepixelfast(0, 6, WHITE, 0);
    sayInt("fast write ", freadpixelfast(0, 6, 0) == (int)WHITE);
    funlockbuffer(0);
    freadpixelfast(0, 6, 0);
    say("not reached");
}
