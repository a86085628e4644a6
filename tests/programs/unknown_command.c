/* A command the runtime does not offer fails to link, naming the symbol. */
#include "vorn.h"

void VORN_API fnosuch(void);

VORN_MAIN { fnosuch(); }
