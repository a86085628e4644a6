/* Timers of very low frequencies: their period, thousands of years for the
 * smallest, must not come out as a tick every millisecond. */
#include "lang_check.h"

VORN_MAIN {
    int slow = fcreatetimer(0.0000001f);   /* about one tick in 115 days */
    int slower = fcreatetimer(1e-30f);
    int tiniest = fcreatetimer(1e-40f);    /* 1000 / hertz overflows to infinity */
    CHECK(slow != 0);
    CHECK(slower != 0);
    CHECK(tiniest != 0);
    fdelay(100);
    sayInt("slow ", ftimerticks(slow));
    sayInt("slower ", ftimerticks(slower));
    sayInt("tiniest ", ftimerticks(tiniest));
    ffreetimer(slow);
    ffreetimer(slower);
    ffreetimer(tiniest);
}
