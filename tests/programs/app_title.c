/* AppTitle replaces the default title (the executable's name); the packed
 * program's error box carries the new one (scripts/packed_executable.sh). */
#include "vorn.h"

VORN_MAIN {
    fapptitle(_krStrFromCStr("Vorn Title Test"));
    fruntimeerror(_krStrFromCStr("titled"));
}
