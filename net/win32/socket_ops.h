// WinSock helpers shared by the TCP and UDP streams: readability waits with
// the runtime's time-out rules, address conversion and the closing rule.
#pragma once

#include <winsock2.h>

#include <cstdint>

// A time-out of t ms: negative waits without limit, 0 only looks. 1 when the
// socket is readable in time, 0 when not, -1 when the wait fails.
int waitReadable(SOCKET socket, int millis);

// Waits without limit until the socket can take more data to send: 1 when
// it can, -1 when the wait fails.
int waitWritable(SOCKET socket);

// The steady clock in milliseconds, for read deadlines.
int64_t nowMillis();

inline uint32_t hostOrderIP(const sockaddr_in& address) { return ntohl(address.sin_addr.s_addr); }
inline int hostOrderPort(const sockaddr_in& address) { return ntohs(address.sin_port); }
sockaddr_in ipv4Address(uint32_t hostIP, int port);

// A port number the socket layer can take. Anything else would be cut to 16
// bits and name another port, so callers refuse it instead.
inline bool validPort(int port) { return port >= 0 && port <= 65535; }

// Closes a socket; one whose owner failed (state -1) is closed without
// lingering over unsent data.
void closeSocket(SOCKET socket, int state);
