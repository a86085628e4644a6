/* One drawing program under the DirectDraw, Native and OpenGL drivers: pixels
 * written and read (and past the edges), a masked and an unmasked image
 * blit, CopyRect inside the buffer and across its edge, printed as letters,
 * then the extent of a solid Oval. Every driver prints the same. */
#include "image_check.h"

static void drawUnder(int driver) {
    fsetgfxdriver(driver);
    sayString("driver ", fgfxdrivername(driver));
    int image = fcreateimage(8, 6, 1, 0);
    int buffer = fimagebuffer(image, 0);
    fsetbuffer(buffer);
    fwritepixel(0, 0, RED, 0);
    fwritepixel(1, 0, GREEN, 0);
    fwritepixel(0, 1, BLUE, 0);
    fwritepixel(1, 1, WHITE, 0);
    fwritepixel(8, 0, RED, 0);
    fwritepixel(-1, 5, RED, 0);
    sayInt("read back ", freadpixel(1, 1, 0) == (int)WHITE);
    fclscolor(1, 2, 3);
    sayInt("read outside ", freadpixel(0, 6, 0));

    /* Black is the sprite's mask colour. */
    int sprite = fcreateimage(3, 2, 1, 0);
    paint(sprite, 0, "R.G");
    paint(sprite, 1, ".B.");
    fdrawimage(sprite, 4, 3, 0);
    fdrawblock(sprite, 5, 0, 0);
    fcopyrect(0, 0, 2, 2, 2, 4, 0, 0);
    fcopyrect(0, 0, 3, 2, 6, 4, 0, 0);
    show("pixels", image);

    int round = fcreateimage(7, 7, 1, 0);
    fsetbuffer(fimagebuffer(round, 0));
    fcolor(255, 0, 0);
    foval(1, 1, 4, 4, 1);
    int left = 99, top = 99, right = -1, bottom = -1;
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (pixelAt(fimagebuffer(round, 0), x, y) == (int)RED) {
                if (x < left) left = x;
                if (y < top) top = y;
                if (x > right) right = x;
                if (y > bottom) bottom = y;
            }
    sayInt("oval left ", left);
    sayInt("oval top ", top);
    sayInt("oval right ", right);
    sayInt("oval bottom ", bottom);
}

VORN_MAIN {
    drawUnder(3);
    drawUnder(1);
    drawUnder(2);
}
