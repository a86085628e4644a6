/* Mode indices run from 1 to the mode count: one past the end is refused. */
#include "vorn.h"

VORN_MAIN { fgfxmodewidth(fcountgfxmodes() + 1); }
