/* With no joystick attached the joystick module still starts: every port
 * reads 0 and FlushJoy does nothing harmful. */
#include "lang_check.h"

VORN_MAIN {
    for (int port = -1; port <= 32; ++port) {
        CHECK(fjoytype(port) == 0);
        CHECK(fjoydown(1, port) == 0);
        CHECK(fjoyhit(1, port) == 0);
        CHECK(fjoyx(port) == 0.0f && fjoyy(port) == 0.0f && fjoyz(port) == 0.0f);
        CHECK(fjoyu(port) == 0.0f && fjoyv(port) == 0.0f);
        CHECK(fjoypitch(port) == 0.0f && fjoyyaw(port) == 0.0f && fjoyroll(port) == 0.0f);
        CHECK(fjoyhat(port) == 0);
        CHECK(fjoyxdir(port) == 0 && fjoyydir(port) == 0 && fjoyzdir(port) == 0);
        CHECK(fjoyudir(port) == 0 && fjoyvdir(port) == 0);
    }
    fflushjoy();
    say("no joysticks");
}
