/* A matrix without an inverse is refused instead of making an empty image. */
#include "image_check.h"

VORN_MAIN {
    int image = fcreateimage(4, 4, 1, 1);
    ftformimage(image, 1.0f, 2.0f, 2.0f, 4.0f);
    say("not reached");
}
