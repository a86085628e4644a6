/* The client half of the two-program test: finds the peer server in the
 * agreed port range by its greeting, sends the numbers 1 to 5, prints the
 * answers and closes. */
#include "peer_common.h"

VORN_MAIN {
    int bank = fcreatebank(4);
    int stream = 0;
    ftcptimeouts(2000, 0);
    for (int i = 0; i < PEER_PORTS && !stream; ++i) {
        stream = fopentcpstream(_krStrFromCStr("127.0.0.1"), PEER_FIRST_PORT + i, 0);
        _krStrTmpFree(1);
        if (stream && (freadbytes(bank, stream, 0, 4) != 4 || fpeekint(bank, 0) != PEER_GREETING)) {
            fclosetcpstream(stream);
            stream = 0;
        }
    }
    CHECK(stream != 0);
    ftcptimeouts(10000, 0);
    for (int n = 1; n <= 5; ++n) {
        fpokeint(bank, 0, n);
        CHECK(fwritebytes(bank, stream, 0, 4) == 4);
        CHECK(freadbytes(bank, stream, 0, 4) == 4);
        sayInt("square ", fpeekint(bank, 0));
    }
    fclosetcpstream(stream);
}
