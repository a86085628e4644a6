/* A member of the three-program game test (arguments: the game name and the
 * member's letter, A for the first to join, B for the second). Both report
 * what arrives; when the host is killed, A (the longest-joined) becomes
 * host, B says something to all and A answers it. */
#include "../netgame_check.h"

VORN_MAIN {
    KrString* line = fcommandline();
    KrString* name = fleft(line, flen(line) - 2);
    KrString* letter = fright(line, 1);
    int isA = sameText(letter, "A");
    int joined = 0;
    int start = fmillisecs();
    while (!joined && fmillisecs() - start < 20000) joined = fjoinnetgame(name, _krStrFromCStr("127.0.0.1")), _krStrTmpFree(1);
    CHECK(joined == 1);
    int me = fcreatenetplayer(letter);
    CHECK(me != 0);
    say("joined");
    int done = 0, saidAfter = 0, left = 0;
    while (!done && fmillisecs() - start < 60000) {
        if (!isA && left && !saidAfter) {
            CHECK(fsendnetmsg(5, owned("after"), me, 0, 1) == 1);
            saidAfter = 1;
        }
        if (!nextNetMsg(100)) continue;
        int type = fnetmsgtype();
        if (type == 100) sayPlayer("arrived ", fnetmsgfrom());
        else if (type == -56) {
            CHECK(fnetmsgto() == 0);
            sayData("type -56 data ");
        } else if (type == 101) {
            say("left");
            left = 1;
        } else if (type == 102) say("became host");
        else if (type == 5 && isA) {
            sayData("says ");
            CHECK(fsendnetmsg(6, owned("ok"), me, fnetmsgfrom(), 1) == 1);
            done = 1;
        } else if (type == 6 && !isA) {
            sayData("reply ");
            done = 1;
        } else sayInt("unexpected type ", type);
    }
    CHECK(done);
    /* Give the answer time to leave before the program ends. */
    fdelay(300);
}
