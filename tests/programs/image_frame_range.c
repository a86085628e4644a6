/* A frame index outside the image ends the run with the index and the count. */
#include "image_check.h"

VORN_MAIN {
    int image = fcreateimage(4, 4, 2, 1);
    sayInt("frame 1 buffer is set ", fimagebuffer(image, 1) != 0);
    fimagebuffer(image, 2);
    say("not reached");
}
