/* A display of no pixels is refused before the screen driver is asked. */
#include "vorn.h"

VORN_MAIN { fgraphics(0, 0, 0, 2); }
