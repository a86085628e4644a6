/* Pixel memory beyond what the process can have is refused up front. */
#include "image_check.h"

VORN_MAIN {
    fcreateimage(30000, 30000, 1, 1);
    say("not reached");
}
