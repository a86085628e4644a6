/* After EndGraphics the released display buffer is no longer current:
 * drawing is a runtime error, never a write into freed memory. */
#include "vorn.h"

VORN_MAIN { fgraphics(32, 32, 0, 2); fendgraphics(); fplot(1, 1); }
