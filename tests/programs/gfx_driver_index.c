/* Driver indices run from 1 to 3: SetGfxDriver(0) is refused. */
#include "vorn.h"

VORN_MAIN { fsetgfxdriver(0); }
