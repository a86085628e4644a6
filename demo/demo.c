/* The demo program, written in C against the runtime's SDK header. */
#include "vorn.h"

VORN_MAIN {
    fruntimestats();
}
