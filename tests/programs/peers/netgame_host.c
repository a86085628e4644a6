/* The host of the three-program game test (argument: the game name): hosts,
 * waits for two players to arrive, sends them all a type-200 message with a
 * zero byte in it, then waits to be killed. */
#include "../netgame_check.h"

VORN_MAIN {
    KrString* name = fcommandline();
    CHECK(fhostnetgame(name) == 2);
    int me = fcreatenetplayer(owned("H"));
    CHECK(me != 0);
    say("hosting");
    int arrivals = 0;
    int start = fmillisecs();
    while (arrivals < 2 && fmillisecs() - start < 30000) {
        if (nextNetMsg(100) && fnetmsgtype() == 100) {
            sayPlayer("arrived ", fnetmsgfrom());
            ++arrivals;
        }
    }
    CHECK(arrivals == 2);
    KrString* data = _krStrRetain(_krStrConcat(_krStrConcat(_krStrFromCStr("a"), fchr(0)), _krStrFromCStr("b")));
    _krStrTmpFree(4);
    CHECK(fsendnetmsg(200, data, me, 0, 1) == 1);
    say("sent");
    while (fmillisecs() - start < 60000) {
        frecvnetmsg();
        fdelay(20);
    }
    say("not killed");
}
