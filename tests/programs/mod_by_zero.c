/* An integer remainder by zero is a runtime error, not a hardware fault. */
#include "lang_check.h"

static volatile int divisor = 0;

VORN_MAIN {
    sayInt("", _krMod(7, divisor));
}
