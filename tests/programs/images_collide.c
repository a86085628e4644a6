/* Overlap and collision commands: touching boxes, centre pixels that meet or
 * miss by one, pixels on either side of a 32-pixel word boundary, handles,
 * rectangles, and when a cached collision mask is rebuilt. */
#include "image_check.h"

/* An image of black (the mask colour) with one white pixel. */
static int dotWithFlags(int w, int h, int x, int y, int flags) {
    int image = fcreateimage(w, h, 1, flags);
    put(image, x, y, WHITE);
    return image;
}

static int dot(int w, int h, int x, int y) { return dotWithFlags(w, h, x, y, 1); }

VORN_MAIN {
    sayInt("touching rects ", frectsoverlap(0, 0, 10, 10, 10, 0, 10, 10));
    sayInt("overlapping rects ", frectsoverlap(0, 0, 10, 10, 9, 0, 10, 10));

    int a = dot(8, 8, 4, 4);
    int b = dot(8, 8, 4, 4);
    sayInt("centres together ", fimagescollide(a, 0, 0, 0, b, 0, 0, 0));
    sayInt("centres one apart ", fimagescollide(a, 0, 0, 0, b, 1, 0, 0));
    sayInt("  boxes still overlap ", fimagesoverlap(a, 0, 0, b, 1, 0));
    /* The handle moves the box: b's centre lands on a's. */
    fhandleimage(b, 1, 0);
    sayInt("with handle (1, 0) ", fimagescollide(a, 0, 0, 0, b, 1, 0, 0));
    fhandleimage(b, 0, 0);

    int wide = dot(40, 1, 31, 0);
    int small = dot(10, 1, 0, 0);
    sayInt("at word edge 31 ", fimagescollide(wide, 0, 0, 0, small, 31, 0, 0));
    sayInt("at word edge 32 ", fimagescollide(wide, 0, 0, 0, small, 32, 0, 0));
    sayInt("left one first ", fimagescollide(small, 31, 0, 0, wide, 0, 0, 0));

    sayInt("rect on centre ", fimagerectcollide(a, 0, 0, 0, 4, 4, 1, 1));
    sayInt("rect beside centre ", fimagerectcollide(a, 0, 0, 0, 5, 5, 3, 3));
    sayInt("  but overlapping box ", fimagerectoverlap(a, 0, 0, 5, 5, 3, 3));

    /* A mask colour chosen after the mask was built is not seen until
     * ImageBuffer or a transform discards the mask. */
    int solid = fcreateimage(4, 1, 1, 1);
    paint(solid, 0, "WWWW");
    sayInt("solid over dot ", fimagescollide(solid, 3, 4, 0, a, 0, 0, 0));
    fmaskimage(solid, 255, 255, 255);
    sayInt("after MaskImage ", fimagescollide(solid, 3, 4, 0, a, 0, 0, 0));
    fimagebuffer(solid, 0);
    sayInt("after ImageBuffer ", fimagescollide(solid, 3, 4, 0, a, 0, 0, 0));

    int turned = dot(3, 1, 0, 0);
    sayInt("before turning ", fimagescollide(turned, 0, 0, 0, a, -4, -4, 0));
    fmaskimage(turned, 0, 0, 0);
    ftformfilter(0);
    frotateimage(turned, 90.0f);
    /* Turned clockwise about (0, 0), the dot sits one pixel left of the
     * position (handle (1, 0)): at (5, 4) it meets a's dot at (4, 4). */
    sayInt("turned, at its new place ", fimagescollide(turned, 5, 4, 0, a, 0, 0, 0));
    sayInt("turned, at its old place ", fimagescollide(turned, 4, 4, 0, a, 0, 0, 0));

    /* Frames in another pixel format are compared through a 32-bit copy. */
    int other = dotWithFlags(8, 8, 4, 4, 0);
    sayInt("other format, together ", fimagescollide(other, 0, 0, 0, a, 0, 0, 0));
    sayInt("other format, apart ", fimagescollide(other, 0, 1, 0, a, 0, 0, 0));

    int empty = fcreateimage(8, 8, 1, 1);
    sayInt("all mask colour ", fimagescollide(empty, 0, 0, 0, a, 0, 0, 0));
}
