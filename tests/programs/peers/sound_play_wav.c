/* Plays audio_data\long.wav (1.3 seconds) through whatever output opened and
 * waits for it to end, for the test that catches Wine's sound output in a
 * file. */
#include "../system_check.h"

VORN_MAIN {
    int sound = floadsound(S("audio_data\\long.wav"));
    flush();
    CHECK(sound != 0);
    int ch = fplaysound(sound, 0);
    CHECK(ch > 0);
    int waited = 0;
    while (fchannelplaying(ch) && waited < 5000) {
        fdelay(50);
        waited += 50;
    }
    CHECK(waited >= 1000);
    fdelay(300);
    say("played");
}
