/* Sounds and streams play in real time on a machine without a sound device
 * (the silent output keeps time): a channel plays for the sound's duration
 * and then ends, a paused one holds until resumed, a stale channel number
 * says nothing about the sound played after it on the same channel, a
 * streamed file stops with StopChannel, and a handle that is not a sound is
 * a runtime error. long.wav lasts 1.3 seconds. */
#include "system_check.h"

VORN_MAIN {
    CHECK(floadsound(S("audio_data\\nosuch.wav")) == 0);
    int sound = floadsound(S("audio_data\\long.wav"));
    flush();
    CHECK(sound != 0);
    CHECK(fplaycdtrack(1, 0) == -1);

    int ch = fplaysound(sound, 0);
    CHECK(ch > 0);
    fdelay(300);
    CHECK(fchannelplaying(ch) == 1);
    fdelay(2200);
    CHECK(fchannelplaying(ch) == 0);
    say("played once and ended");

    int paused = fplaysound(sound, 2);
    CHECK(paused > 0 && paused != ch);
    CHECK((paused & 0xFFF) == (ch & 0xFFF));
    CHECK(fchannelplaying(ch) == 0);
    fdelay(1600);
    CHECK(fchannelplaying(paused) == 1);
    fresumechannel(paused);
    fdelay(2500);
    CHECK(fchannelplaying(paused) == 0);
    say("paused play held until resumed");

    int stream = fplaymusic(S("audio_data\\song.ogg"), 1);
    flush();
    CHECK(stream > 0);
    fdelay(200);
    CHECK(fchannelplaying(stream) == 1);
    fstopchannel(stream);
    CHECK(fchannelplaying(stream) == 0);
    say("stream stopped");

    ffreesound(sound);
    fplaysound(sound, 0);
    say("not reached");
}
