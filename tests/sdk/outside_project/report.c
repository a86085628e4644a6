/* A second source file in C, with helpers of the SDK's string header. */
#include "vorn.h"

void report(const char* label, int value) {
    fprint(vorn_cat3(vorn_str(label), vorn_str(" = "), vorn_int_width(value, 4)));
    vorn_free_temps();
}
