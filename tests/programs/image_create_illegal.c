/* A size below 1 is refused. */
#include "image_check.h"

VORN_MAIN {
    fcreateimage(0, 5, 1, 1);
    say("not reached");
}
