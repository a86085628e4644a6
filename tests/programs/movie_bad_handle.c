/* Movie commands check their handle: CloseMovie of 0 is ignored, a missing
 * file opens as 0, and a handle of another kind is refused. */
#include "lang_check.h"

VORN_MAIN {
    int movie = fopenmovie(_krStrFromCStr("no such movie.avi"));
    _krStrTmpFree(1);
    sayInt("missing ", movie);
    fclosemovie(0);
    int image = fcreateimage(4, 4, 1, 1);
    fmovieplaying(image);
    say("not reached");
}
