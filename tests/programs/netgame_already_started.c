/* Hosting while a game runs is misuse. */
#include "netgame_check.h"

VORN_MAIN {
    KrString* name = uniqueGameName("twice");
    CHECK(fhostnetgame(name) == 2);
    say("hosting");
    fhostnetgame(name);
    say("not reached");
}
