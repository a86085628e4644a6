// Non-blocking IPv4 sockets for the game session service, which runs on a
// thread of its own and waits on many sockets at once. Addresses are host
// order (first dotted component in the top byte); ports 0..65535.
#pragma once

#include <cstdint>

namespace platform {

using Socket = intptr_t;
constexpr Socket kNoSocket = -1;

// Starts the socket library for the caller (counted: each start needs a stop).
bool socketsStart();
void socketsStop();

// A listening TCP socket on any local address; `port` 0 lets the system
// choose. The bound port is stored in `boundPort`.
Socket tcpListen(int port, int& boundPort);
// The next pending connection, or kNoSocket; the peer's address is stored.
Socket tcpAccept(Socket listener, uint32_t& ip, int& port);
// A connection to ip:port within `timeoutMs`, or kNoSocket.
Socket tcpConnect(uint32_t ip, int port, int timeoutMs);
// A UDP socket on any local address (broadcast allowed); `port` 0 lets the
// system choose.
Socket udpOpen(int port, int& boundPort);
void closeSocket(Socket socket);

enum { kWouldBlock = -1, kFailed = -2 };
// Bytes sent (maybe fewer than n), kWouldBlock or kFailed.
int sendSome(Socket socket, const void* data, int n);
// Bytes received, 0 when the peer closed, kWouldBlock or kFailed.
int recvSome(Socket socket, void* data, int n);
bool sendDatagram(Socket socket, uint32_t ip, int port, const void* data, int n);
// The size of the next datagram (cut to `capacity`) with its sender, or kWouldBlock.
int recvDatagram(Socket socket, void* data, int capacity, uint32_t& ip, int& port);

// Waits up to `timeoutMs` until one of `reads` is readable or one of `writes`
// writable; marks the ready ones in the flag arrays. False when the wait fails.
bool waitSockets(const Socket* reads, int readCount, bool* readable, const Socket* writes, int writeCount,
                 bool* writable, int timeoutMs);

} // namespace platform
