/* Runs the multiplayer start dialog and prints what it gave. */
#include "../netgame_check.h"

VORN_MAIN {
    int result = fstartnetgame();
    sayInt("dialog ", result);
    if (result) fstopnetgame();
}
