/* Dimensions whose element count would wrap 32 bits are refused whole. */
#include "lang_check.h"
#include "lang_types.h"

typedef ARRAY_DESC(3) Array3;
/* 65536 * 65536 * 2 elements: the count wraps to 0 in 32 bits. */
static Array3 cube = {0, 1, 3, {65535, 65535, 1}};

VORN_MAIN {
    _krDimArray(&cube);
    say("not reached");
}
