/* Tracker modules as music on a machine without a sound device (the silent
 * output keeps time): a song plays for as long as its rows last and ends,
 * the same file named in another letter case is the same music handle, a
 * looping song goes on until stopped, a paused one waits for ResumeChannel,
 * a module under a name that is not a music name is streamed, and a
 * DirectMusic segment does not load. tone.mod lasts 0.48 s, tone.xm
 * 0.32 s, tone.s3m 0.4 s and tone.it 0.2 s. */
#include "system_check.h"

VORN_MAIN {
    int song = fplaymusic(S("audio_data\\Tone.MOD"), 0);
    CHECK(song < 0);
    fdelay(150);
    CHECK(fchannelplaying(song) == 1);
    CHECK(fplaymusic(S("audio_data\\tone.mod"), 0) == song);
    fdelay(1200);
    CHECK(fchannelplaying(song) == 0);
    say("played its rows and ended; one handle for both names");

    int looping = fplaymusic(S("audio_data\\tone.xm"), 1);
    CHECK(looping < 0 && looping != song);
    fchannelvolume(looping, 0.5f);
    fchannelpitch(looping, 8000);
    fchannelpan(looping, -1.0f);
    fdelay(1000);
    CHECK(fchannelplaying(looping) == 1);
    fstopchannel(looping);
    CHECK(fchannelplaying(looping) == 0);
    say("a looping song played until stopped");

    int paused = fplaymusic(S("audio_data\\tone.s3m"), 2);
    CHECK(paused < 0);
    fdelay(900);
    CHECK(fchannelplaying(paused) == 1);
    fresumechannel(paused);
    fdelay(1200);
    CHECK(fchannelplaying(paused) == 0);
    say("a paused song waited to be resumed");

    fcopyfile(S("audio_data\\tone.it"), S("audio_data\\tone_it.dat"));
    int stream = fplaymusic(S("audio_data\\tone_it.dat"), 1);
    CHECK(stream > 0);
    fdelay(80);
    CHECK(fchannelplaying(stream) == 1);
    fdelay(1000);
    CHECK(fchannelplaying(stream) == 0);
    say("a module under another name streamed once, loop flag or not");

    fcopyfile(S("audio_data\\tone.xm"), S("audio_data\\tone_xm.sgt"));
    CHECK(fplaymusic(S("audio_data\\tone_xm.sgt"), 0) == 0);
    CHECK(fplaymusic(S("audio_data\\nosuch.it"), 0) == 0);
    flush();
    say("segments and missing files give 0");
}
