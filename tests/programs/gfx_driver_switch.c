/* Switching the graphics driver in one program (DirectDraw to Native,
 * DirectDraw, OpenGL and Native again): after each switch no display is
 * open, the mode list is the new driver's, and a display and an image made
 * under it draw at once. Ends by using an image of an earlier driver, which the
 * switch released with its modules. */
#include "image_check.h"

static int drawUnder(int driver) {
    fsetgfxdriver(driver);
    sayString("driver ", fgfxdrivername(driver));
    sayInt("front buffer ", ffrontbuffer());
    fgraphics(64, 48, 0, 2);
    sayInt("display width ", fgraphicswidth());
    fcolor(0, 255, 0);
    frect(2, 2, 3, 3, 1);
    sayInt("display drawn ", freadpixel(3, 3, 0) == (int)GREEN);
    fflip(0);
    int image = fcreateimage(4, 4, 1, 0);
    fsetbuffer(fimagebuffer(image, 0));
    fcolor(255, 0, 0);
    frect(1, 1, 2, 2, 1);
    sayInt("image drawn ", pixelAt(fimagebuffer(image, 0), 2, 2) == (int)RED);
    fsetbuffer(fbackbuffer());
    return image;
}

VORN_MAIN {
    int first = fcreateimage(4, 4, 1, 0);
    drawUnder(1);
    sayInt("native modes ", fcountgfxmodes());
    sayInt("native mode width ", fgfxmodewidth(1));
    int directDraw = drawUnder(3);
    drawUnder(2);
    drawUnder(1);
    say("an image of an earlier driver");
    fimagewidth(directDraw);
    fimagewidth(first);
    say("not reached");
}
