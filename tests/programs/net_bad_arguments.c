/* Arguments the network commands must refuse rather than bend into others:
 * a host name holding a NUL, and port numbers outside 0..65535 (which 16
 * bits would turn into another port). Each refusal is set beside the same
 * call with a good argument, so that a refusal for another reason shows. */
#include "system_check.h"
#include "net_check.h"

#define LOOPBACK 2130706433

VORN_MAIN {
    int port;
    int server = listenOnFreePort(&port);
    CHECK(server != 0);
    ftcptimeouts(10000, 5000);

    /* The whole name is looked up: "127.0.0.1" followed by a NUL and more
     * is not the loopback address. */
    KrString* good = S("127.0.0.1");
    KrString* withNul = cat(cat(good, T(fchr(0))), S("9"));
    CHECK(VIEW(withNul)->length == 11);
    int client = fopentcpstream(good, port, 0);
    CHECK(client != 0);
    int accepted = faccepttcpstream(server);
    CHECK(accepted != 0);
    sayInt("name with a NUL: ", fopentcpstream(withNul, port, 0));
    CHECK(fcounthostips(withNul) == 0);
    flush();

    /* Server ports: 65536 more than a free port, and -1, would listen on
     * the free port and on 65535. */
    sayInt("server on port+65536: ", fcreatetcpserver(port + 65536 + 1));
    sayInt("server on -1: ", fcreatetcpserver(-1));
    sayInt("server on 65536: ", fcreatetcpserver(65536));

    /* Connecting to port+65536 would reach the server on port. */
    ftcptimeouts(10000, 300);
    sayInt("connect to port+65536: ", fopentcpstream(S("127.0.0.1"), port + 65536, 0));
    sayInt("connect from local port -1: ", fopentcpstream(S("127.0.0.1"), port, -1));
    sayInt("nothing reached the server: ", faccepttcpstream(server));
    flush();

    /* UDP: binding, and a datagram to port+65536 that must not land on port. */
    sayInt("udp on 65536: ", fcreateudpstream(65536));
    sayInt("udp on -2: ", fcreateudpstream(-2));
    int a = fcreateudpstream(0);
    int b = fcreateudpstream(0);
    CHECK(a && b);
    int bank = fcreatebank(4);
    fpokeint(bank, 0, 77);
    CHECK(fwritebytes(bank, a, 0, 4) == 4);
    fsendudpmsg(a, LOOPBACK, fudpstreamport(b) + 65536);
    fudptimeouts(300);
    sayInt("datagram to port+65536 arrived from: ", frecvudpmsg(b));
    sayInt("sender's eof: ", feof(a));
    /* The same bytes to the right port, from a good stream, do arrive. */
    int c = fcreateudpstream(0);
    CHECK(fwritebytes(bank, c, 0, 4) == 4);
    fsendudpmsg(c, LOOPBACK, fudpstreamport(b));
    fudptimeouts(5000);
    CHECK(frecvudpmsg(b) == LOOPBACK && fudpmsgport(b) == fudpstreamport(c));
    CHECK(feof(c) == 1); /* nothing received, but not failed */

    fclosetcpserver(server);
    fclosetcpstream(client);
    say("done");
}
