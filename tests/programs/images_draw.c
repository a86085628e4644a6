/* Drawing images into image buffers: tiles placed from the handle, partial
 * drawing with rectangles reaching outside the frame, masked drawing against
 * block drawing, grabbing, copying and the handle rules. Expected rows are
 * worked out from where each command puts the image's top-left pixel:
 * position − handle (the buffers' origins stay at 0 here). */
#include "image_check.h"

static int canvas(int w, int h, const char* fill) {
    int image = fcreateimage(w, h, 1, 1);
    for (int y = 0; y < h; ++y) paint(image, y, fill);
    return image;
}

VORN_MAIN {
    int tile = fcreateimage(3, 3, 1, 1);
    paint(tile, 0, "RGB");
    paint(tile, 1, "GBR");
    paint(tile, 2, "BRG");
    fhandleimage(tile, 1, 1);
    int dst = canvas(7, 5, ".......");
    fsetbuffer(fimagebuffer(dst, 0));
    ftileblock(tile, 0, 0, 0);
    show("tiles from (-1, -1):", dst);

    /* Another position moves the lattice: tiles start at x = 2 - 1 = 1. */
    ftileblock(tile, 2, 0, 0);
    show("tiles from (1, -1):", dst);

    int strip = fcreateimage(3, 1, 1, 1);
    paint(strip, 0, "RGB");
    int line = canvas(6, 1, "......");
    fsetbuffer(fimagebuffer(line, 0));
    /* rect_x = -1: the source is clipped to the frame, the destination moves
     * one pixel right with it. */
    fdrawblockrect(strip, 1, 0, -1, 0, 3, 1, 0);
    show("rect from -1 at 1:", line);
    /* A rectangle past the frame's right edge keeps only column 2. */
    fdrawblockrect(strip, 4, 0, 2, 0, 5, 1, 0);
    show("rect from 2 at 4:", line);
    /* Entirely outside the frame: nothing. */
    fdrawblockrect(strip, 0, 0, 3, 0, 2, 1, 0);
    fdrawblockrect(strip, 0, 0, -2, 0, 2, 1, 0);
    show("rects outside the frame:", line);

    int sprite = fcreateimage(3, 1, 1, 1);
    paint(sprite, 0, "R.B");
    int under = canvas(3, 1, "GGG");
    fsetbuffer(fimagebuffer(under, 0));
    fdrawimage(sprite, 0, 0, 0);
    show("masked over green:", under);
    fdrawblock(sprite, 0, 0, 0);
    show("block over green:", under);
    fmaskimage(sprite, 255, 0, 0);
    paint(under, 0, "GGG");
    fsetbuffer(fimagebuffer(under, 0));
    fdrawimage(sprite, 0, 0, 0);
    show("masked red over green:", under);

    /* Grab a 2 x 2 block whose top-left is (3, 2) - handle (1, 1). */
    int grab = fcreateimage(2, 2, 1, 1);
    fhandleimage(grab, 1, 1);
    fsetbuffer(fimagebuffer(dst, 0));
    fgrabimage(grab, 3, 2, 0);
    show("grabbed at (2, 1):", grab);
    /* Half outside the buffer: only the inside part is copied. */
    paint(grab, 0, "WW");
    paint(grab, 1, "WW");
    fsetbuffer(fimagebuffer(dst, 0));
    fgrabimage(grab, 0, 0, 0);
    show("grabbed at (-1, -1):", grab);

    fautomidhandle(1);
    int mid = fcreateimage(7, 5, 1, 1);
    sayInt("auto mid handle x ", fimagexhandle(mid));
    sayInt("auto mid handle y ", fimageyhandle(mid));
    fhandleimage(mid, 1, 4);
    int copy = fcopyimage(mid);
    sayInt("copied handle x ", fimagexhandle(copy));
    sayInt("copied handle y ", fimageyhandle(copy));
    fautomidhandle(0);
    fmidhandle(strip);
    sayInt("mid handle of 3 x 1: ", fimagexhandle(strip));
    int sprite2 = fcopyimage(sprite);
    paint(under, 0, "GGG");
    fsetbuffer(fimagebuffer(under, 0));
    fdrawimage(sprite2, 0, 0, 0);
    show("copy keeps pixels and mask colour:", under);

    ffreeimage(copy);
    ffreeimage(0);
    sayInt("width after all ", fimagewidth(dst));
}
