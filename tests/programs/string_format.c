/* The texts of integers and floats, including the boundaries between the
 * plain and the general float format and the rounding of the sixth digit. */
#include "lang_check.h"

static volatile float zero = 0.0f;

VORN_MAIN {
    sayFloat(1.5f);
    sayFloat(100.0f);
    sayFloat(0.0f);
    sayFloat(-zero);
    sayFloat(0.001f);
    sayFloat(0.0001f);
    sayFloat(0.000123456f);
    sayFloat(0.00001f);
    sayFloat(100000000.0f);
    sayFloat(12345678.0f);
    sayFloat(123456789.0f);
    sayFloat(-2.5f);
    sayFloat(1.0f / 3.0f);
    sayFloat(12345.67f);
    sayFloat(123456.7f);
    sayFloat(1000000.0f);
    sayFloat(1234565.0f);
    sayFloat(999999.5f);
    sayFloat(-0.1f);
    sayFloat(3.4028235e38f);
    sayFloat(1.4e-45f);
    sayFloat(zero / zero);
    sayFloat(1.0f / zero);
    sayFloat(-1.0f / zero);
    sayInt("", 0);
    sayInt("", -1);
    sayInt("", 2147483647);
    sayInt("", -2147483647 - 1);
}
