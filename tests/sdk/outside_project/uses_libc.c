/* Calls the C library, which programs do not have. */
#include "vorn.h"

unsigned long strlen(const char* text);

VORN_MAIN {
    fprint(vorn_int((int)strlen("four")));
    vorn_free_temps();
}
