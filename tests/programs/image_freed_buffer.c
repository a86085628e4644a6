/* A frame buffer that is current stops being current when its image is
 * transformed or freed, so the current buffer never names freed memory;
 * drawing with no current buffer is a runtime error. */
#include "image_check.h"

VORN_MAIN {
    int a = fcreateimage(4, 4, 1, 1);
    int b = fcreateimage(4, 4, 1, 1);
    fsetbuffer(fimagebuffer(a, 0));
    frotateimage(a, 90.0f);
    sayInt("current after the transform ", fgraphicsbuffer());
    fsetbuffer(fimagebuffer(b, 0));
    sayInt("current is b's frame ", fgraphicsbuffer() == fimagebuffer(b, 0));
    ffreeimage(b);
    sayInt("current after FreeImage ", fgraphicsbuffer());
    fdrawimage(a, 0, 0, 0);
    say("not reached");
}
