/* One program on its own: player names, hosting, local players, messages
 * that have nowhere to go, joining a name nobody hosts, stopping and hosting
 * again, and the command that needs a game after the game has stopped. */
#include "netgame_check.h"

VORN_MAIN {
    KrString* name = uniqueGameName("basics");
    KrString* me = owned("me");
    KrString* hello = owned("hello");
    sayPlayer("player 0: ", 0);
    sayPlayer("player 12345: ", 12345);
    CHECK(fnetplayerlocal(0) == 0);
    CHECK(fjoinnetgame(name, _krStrFromCStr("127.0.0.1")) == 0);
    _krStrTmpFree(1);
    say("joining an unknown game gives 0");

    CHECK(fhostnetgame(name) == 2);
    int id = fcreatenetplayer(me);
    CHECK(id != 0);
    CHECK(fnetplayerlocal(id) == 1);
    sayPlayer("created: ", id);
    /* To all, from our own player: nobody else is there, and our own words
     * never come back to us. */
    CHECK(fsendnetmsg(7, hello, id, 0, 1) == 1);
    CHECK(fsendnetmsg(7, hello, id, 0, 0) == 1);
    CHECK(fsendnetmsg(7, hello, id + 1000, 0, 1) == 0);
    CHECK(nextNetMsg(300) == 0);
    CHECK(fnetmsgtype() == 0 && fnetmsgfrom() == -1 && fnetmsgto() == 0);
    fdeletenetplayer(id);
    sayPlayer("deleted: ", id);
    fstopnetgame();
    fstopnetgame();

    CHECK(fhostnetgame(name) == 2);
    say("hosted again after stopping");
    fstopnetgame();
    fcreatenetplayer(me);
    say("not reached");
}
