/* Helpers for the network program tests. */
#ifndef NET_CHECK_H
#define NET_CHECK_H

#include "vorn.h"

/* A TCP server on a free port: a port the system just chose for a UDP
 * socket is very likely free for TCP too; try again when it is not. */
static int listenOnFreePort(int* port) {
    for (int i = 0; i < 20; ++i) {
        int probe = fcreateudpstream(0);
        *port = fudpstreamport(probe);
        fcloseudpstream(probe);
        int server = fcreatetcpserver(*port);
        if (server) return server;
    }
    return 0;
}

#endif
