/* What the two peer programs agree on: a small range of TCP ports (neither
 * program can be told a port, so the server takes the first free one and the
 * client tries them in turn) and the greeting that tells the client it has
 * reached a peer server rather than something else listening there. */
#ifndef PEER_COMMON_H
#define PEER_COMMON_H

#include "../lang_check.h"

#define PEER_FIRST_PORT 47310
#define PEER_PORTS 40
#define PEER_GREETING 0x52454550 /* "PEER" */

#endif
