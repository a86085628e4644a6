/* The server half of the two-program test: listens on the first free port
 * of the agreed range, greets the first client, then answers each number it
 * receives with its square until the client closes. */
#include "peer_common.h"

VORN_MAIN {
    int server = 0;
    for (int i = 0; i < PEER_PORTS && !server; ++i) server = fcreatetcpserver(PEER_FIRST_PORT + i);
    CHECK(server != 0);
    say("listening");
    ftcptimeouts(10000, 60000);
    int conn = faccepttcpstream(server);
    CHECK(conn != 0);
    CHECK(ftcpstreamip(conn) == 2130706433);
    int bank = fcreatebank(4);
    fpokeint(bank, 0, PEER_GREETING);
    CHECK(fwritebytes(bank, conn, 0, 4) == 4);
    int answered = 0;
    while (freadbytes(bank, conn, 0, 4) == 4) {
        int n = fpeekint(bank, 0);
        fpokeint(bank, 0, n * n);
        CHECK(fwritebytes(bank, conn, 0, 4) == 4);
        ++answered;
    }
    sayInt("answered ", answered);
    fclosetcpserver(server);
}
