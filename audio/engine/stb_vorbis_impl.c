/* The one compilation of stb_vorbis's implementation.
 *
 * Its codebook setup computes r^dimensions with pow and converts the result
 * to int; for the dimensions a corrupt header may declare the power exceeds
 * every int, and that conversion is undefined. Powers are capped at INT_MAX
 * here, which is above any entry count, so the setup reaches the same
 * answers as with exact arithmetic.
 *
 * Its conversion of decoded samples to 16 bits reads the integer bits of
 * the sample plus a magic number and subtracts a constant, relying on
 * two's-complement wrapping: for a sample far outside -1..1, which only a
 * corrupt stream decodes to, the subtraction overflows. The build compiles
 * this file with -fwrapv, which makes that wrap defined; the result is then
 * clipped to the 16-bit range (at either end: the sample is noise anyway). */
#include <limits.h>
#include <math.h>

static double vornCappedPow(double x, double y) {
    double r = pow(x, y);
    return r > (double)INT_MAX ? (double)INT_MAX : r;
}
#define pow vornCappedPow

#include <stb/stb_vorbis.h>
