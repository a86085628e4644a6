/* Image commands check their handle. */
#include "image_check.h"

VORN_MAIN {
    int image = fcreateimage(4, 4, 1, 1);
    ffreeimage(image);
    fimagewidth(image);
    say("not reached");
}
