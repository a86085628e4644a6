/* Image drawing with the buffer's origin and viewport: the origin is added
 * to every drawing and grabbing position, and tiles fill only the viewport. */
#include "image_check.h"

VORN_MAIN {
    int tile = fcreateimage(3, 3, 1, 1);
    paint(tile, 0, "RGB");
    paint(tile, 1, "GBR");
    paint(tile, 2, "BRG");
    fhandleimage(tile, 1, 1);
    int dst = fcreateimage(7, 5, 1, 1);
    fsetbuffer(fimagebuffer(dst, 0));
    /* Tiles start at 0 + 2 - 1 = 1 across and 0 + 0 - 1 = -1 down. */
    forigin(2, 0);
    ftileblock(tile, 0, 0, 0);
    show("tiles with origin (2, 0):", dst);
    forigin(0, 0);
    fviewport(2, 1, 3, 2);
    ftileblock(tile, 0, 0, 0);
    show("tiles from (-1, -1) in the viewport (2, 1, 3, 2):", dst);
    fviewport(0, 0, 7, 5);

    int strip = fcreateimage(3, 1, 1, 1);
    paint(strip, 0, "RGB");
    int line = fcreateimage(6, 1, 1, 1);
    fsetbuffer(fimagebuffer(line, 0));
    forigin(1, 0);
    fdrawblock(strip, 2, 0, 0);
    show("block at 2 with origin 1:", line);
    fdrawblockrect(strip, 0, 0, 1, 0, 2, 1, 0);
    show("columns 1 and 2 at 0 with origin 1:", line);
    int grab = fcreateimage(2, 1, 1, 1);
    fgrabimage(grab, 0, 0, 0);
    show("grabbed at 0 with origin 1:", grab);
}
