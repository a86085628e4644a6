/* TCP and UDP through the bank stream commands: a server and a client in one
 * program over loopback, a peer that closes, one datagram from two writes,
 * an empty datagram, and the host address list's index check. */
#include "lang_check.h"
#include "net_check.h"

#define LOOPBACK 2130706433

static KrString* text(const char* s) { return _krStrFromCStr(s); }

VORN_MAIN {
    sayString("loopback is ", fdottedip(LOOPBACK));
    sayString("all ones is ", fdottedip(-1));
    CHECK(fcounthostips(text("127.0.0.1")) == 1 && fhostip(1) == LOOPBACK);
    _krStrTmpFree(1);

    int port;
    int server = listenOnFreePort(&port);
    CHECK(server != 0);
    CHECK(faccepttcpstream(server) == 0); /* nothing pending yet */
    int client = fopentcpstream(text("127.0.0.1"), port, 0);
    _krStrTmpFree(1);
    CHECK(client != 0);
    ftcptimeouts(5000, 5000);
    int conn = faccepttcpstream(server);
    CHECK(conn != 0);
    CHECK(ftcpstreamip(conn) == LOOPBACK && ftcpstreamport(client) == port);
    CHECK(ftcpstreamport(conn) != port && ftcpstreamport(conn) != 0);

    int out = fcreatebank(8);
    fpokeint(out, 0, 12345678);
    fpokeint(out, 4, -9);
    CHECK(fwritebytes(out, client, 0, 8) == 8);
    int in = fcreatebank(8);
    CHECK(freadbytes(in, conn, 0, 8) == 8);
    sayInt("server got ", fpeekint(in, 0));
    sayInt("and ", fpeekint(in, 4));

    /* The client goes away after three more bytes: the server reads them
     * and then nothing. */
    CHECK(fwritebytes(out, client, 0, 3) == 3);
    fclosetcpstream(client);
    CHECK(freadbytes(in, conn, 0, 8) == 3);
    CHECK(freadbytes(in, conn, 0, 8) == 0);
    fclosetcpserver(server);
    say("tcp done");

    int a = fcreateudpstream(0);
    int b = fcreateudpstream(0);
    CHECK(a && b && fudpstreamport(a) != 0);
    CHECK(fwritebytes(out, a, 0, 4) == 4);
    CHECK(fwritebytes(out, a, 4, 4) == 4);
    fsendudpmsg(a, LOOPBACK, fudpstreamport(b));
    fsendudpmsg(a, LOOPBACK, fudpstreamport(b));
    fudptimeouts(5000);
    CHECK(frecvudpmsg(b) == LOOPBACK && fudpmsgport(b) == fudpstreamport(a));
    fpokeint(in, 0, 0);
    fpokeint(in, 4, 0);
    CHECK(freadbytes(in, b, 0, 8) == 8);
    CHECK(freadbytes(in, b, 0, 8) == 0);
    sayInt("datagram holds ", fpeekint(in, 0));
    sayInt("and ", fpeekint(in, 4));
    CHECK(frecvudpmsg(b) == LOOPBACK); /* the empty one */
    CHECK(freadbytes(in, b, 0, 1) == 0);
    fudptimeouts(0);
    CHECK(frecvudpmsg(b) == 0);
    fcloseudpstream(a);
    fcloseudpstream(b);
    say("udp done");

    fhostip(2);
}
