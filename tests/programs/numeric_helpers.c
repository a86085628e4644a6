/* The integer and float helpers, at their edges. */
#include "lang_check.h"

static volatile float zero = 0.0f;

static int negativeZero(float x) {
    union { float f; unsigned u; } bits = {x};
    return bits.u == 0x80000000u;
}

VORN_MAIN {
    const int minInt = -2147483647 - 1;
    CHECK(_krAbs(-5) == 5 && _krAbs(5) == 5 && _krAbs(0) == 0);
    CHECK(_krAbs(minInt) == minInt);
    CHECK(_krSgn(-9) == -1 && _krSgn(0) == 0 && _krSgn(minInt) == -1 && _krSgn(3) == 1);
    CHECK(_krMod(7, 3) == 1 && _krMod(-7, 3) == -1 && _krMod(7, -3) == 1 && _krMod(-7, -3) == -1);
    CHECK(_krMod(minInt, -1) == 0 && _krMod(minInt, 2) == 0 && _krMod(5, minInt) == 5);
    CHECK(_krFAbs(-2.5f) == 2.5f && _krFAbs(3.0f) == 3.0f);
    CHECK(negativeZero(_krFAbs(-zero)));
    CHECK(_krFSgn(2.0f) == 1.0f && _krFSgn(-0.5f) == -1.0f && _krFSgn(zero) == 0.0f && _krFSgn(-zero) == 0.0f);
    CHECK(_krFSgn(zero / zero) == -1.0f);
    CHECK(_krFMod(5.5f, 2.0f) == 1.5f && _krFMod(-5.5f, 2.0f) == -1.5f);
    CHECK(_krFPow(2.0f, 10.0f) == 1024.0f && _krFPow(9.0f, 0.5f) == 3.0f);
    sayFloat(_krFPow(2.0f, -1.0f));
    sayFloat(_krFMod(1.0f, zero));
    say("done");
}
