/* The maths commands: degrees through the language's single-precision
 * conversion constants, argument order of ATan2, rounding toward both
 * infinities, and out-of-domain arguments giving NaN and infinities without
 * an error. */
#include "lang_check.h"

static void show(const char* label, float value) {
    fwrite(_krStrFromCStr(label));
    fwrite(_krStrFromCStr(" = "));
    _krStrTmpFree(2);
    sayFloat(value);
}

VORN_MAIN {
    show("Sin(30)", fsin(30.0f));
    show("Cos(60)", fcos(60.0f));
    show("Cos(180)", fcos(180.0f));
    show("Tan(45)", ftan(45.0f));
    /* Whole turns drift with the float pi/180: exact pi would give about 0. */
    show("Sin(36000000)", fsin(36000000.0f));
    show("Sin(1000000)", fsin(1000000.0f));
    show("ASin(0.5)", fasin(0.5f));
    show("ASin(1)", fasin(1.0f));
    show("ACos(-1)", facos(-1.0f));
    show("ATan(1)", fatan(1.0f));
    show("ATan(1000000)", fatan(1000000.0f));
    show("ATan2(1,-1)", fatan2(1.0f, -1.0f));
    show("ATan2(-1,0)", fatan2(-1.0f, 0.0f));
    show("Sqr(2)", fsqr(2.0f));
    show("Floor(2.7)", ffloor(2.7f));
    show("Floor(-1.5)", ffloor(-1.5f));
    show("Ceil(2.2)", fceil(2.2f));
    show("Ceil(-1.5)", fceil(-1.5f));
    show("Exp(1)", fexp(1.0f));
    show("Log(10)", flog(10.0f));
    show("Log10(1000)", flog10(1000.0f));
    show("Sqr(-1)", fsqr(-1.0f));
    show("Log(0)", flog(0.0f));
    show("Log(-1)", flog(-1.0f));
    show("Exp(1000)", fexp(1000.0f));
    show("ASin(2)", fasin(2.0f));
    say("done");
}
