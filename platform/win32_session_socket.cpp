// Non-blocking WinSock sockets for the game session service.
// Room for every connection the session service allows (see game_session.h).
#define FD_SETSIZE 1024
#include <winsock2.h>
#include <ws2tcpip.h>

#include <vector>

#include "platform/session_socket.h"

namespace platform {

namespace {

SOCKET raw(Socket s) { return static_cast<SOCKET>(s); }

bool nonBlocking(SOCKET s) {
    u_long on = 1;
    return ioctlsocket(s, FIONBIO, &on) == 0;
}

sockaddr_in address(uint32_t ip, int port) {
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(ip);
    a.sin_port = htons(static_cast<u_short>(port));
    return a;
}

int localPort(SOCKET s) {
    sockaddr_in a{};
    int size = sizeof a;
    return getsockname(s, reinterpret_cast<sockaddr*>(&a), &size) == 0 ? ntohs(a.sin_port) : 0;
}

Socket bound(int type, int port, int& boundPort) {
    SOCKET s = socket(AF_INET, type, type == SOCK_STREAM ? IPPROTO_TCP : IPPROTO_UDP);
    if (s == INVALID_SOCKET) return kNoSocket;
    BOOL exclusive = TRUE;
    setsockopt(s, SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    sockaddr_in a = address(INADDR_ANY, port);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0 || !nonBlocking(s)) {
        closesocket(s);
        return kNoSocket;
    }
    boundPort = localPort(s);
    return static_cast<Socket>(s);
}

void noDelay(SOCKET s) {
    BOOL on = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

} // namespace

bool socketsStart() {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
}

void socketsStop() { WSACleanup(); }

Socket tcpListen(int port, int& boundPort) {
    Socket s = bound(SOCK_STREAM, port, boundPort);
    if (s != kNoSocket && listen(raw(s), SOMAXCONN) != 0) {
        closesocket(raw(s));
        return kNoSocket;
    }
    return s;
}

Socket tcpAccept(Socket listener, uint32_t& ip, int& port) {
    sockaddr_in a{};
    int size = sizeof a;
    SOCKET s = accept(raw(listener), reinterpret_cast<sockaddr*>(&a), &size);
    if (s == INVALID_SOCKET) return kNoSocket;
    if (!nonBlocking(s)) {
        closesocket(s);
        return kNoSocket;
    }
    noDelay(s);
    ip = ntohl(a.sin_addr.s_addr);
    port = ntohs(a.sin_port);
    return static_cast<Socket>(s);
}

Socket tcpConnect(uint32_t ip, int port, int timeoutMs) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return kNoSocket;
    sockaddr_in a = address(ip, port);
    if (!nonBlocking(s)) {
        closesocket(s);
        return kNoSocket;
    }
    if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        if (WSAGetLastError() != WSAEWOULDBLOCK) {
            closesocket(s);
            return kNoSocket;
        }
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(s, &writable);
        FD_SET(s, &failed);
        timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
        if (select(0, nullptr, &writable, &failed, &limit) != 1 || !FD_ISSET(s, &writable)) {
            closesocket(s);
            return kNoSocket;
        }
    }
    noDelay(s);
    return static_cast<Socket>(s);
}

Socket udpOpen(int port, int& boundPort) {
    Socket s = bound(SOCK_DGRAM, port, boundPort);
    if (s != kNoSocket) {
        BOOL on = TRUE;
        setsockopt(raw(s), SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on);
    }
    return s;
}

void closeSocket(Socket socket) {
    if (socket != kNoSocket) closesocket(raw(socket));
}

int sendSome(Socket socket, const void* data, int n) {
    int sent = send(raw(socket), static_cast<const char*>(data), n, 0);
    if (sent != SOCKET_ERROR) return sent;
    return WSAGetLastError() == WSAEWOULDBLOCK ? kWouldBlock : kFailed;
}

int recvSome(Socket socket, void* data, int n) {
    int got = recv(raw(socket), static_cast<char*>(data), n, 0);
    if (got != SOCKET_ERROR) return got;
    return WSAGetLastError() == WSAEWOULDBLOCK ? kWouldBlock : kFailed;
}

bool sendDatagram(Socket socket, uint32_t ip, int port, const void* data, int n) {
    sockaddr_in a = address(ip, port);
    return sendto(raw(socket), static_cast<const char*>(data), n, 0, reinterpret_cast<sockaddr*>(&a), sizeof a) == n;
}

int recvDatagram(Socket socket, void* data, int capacity, uint32_t& ip, int& port) {
    for (;;) {
        sockaddr_in a{};
        int size = sizeof a;
        int got = recvfrom(raw(socket), static_cast<char*>(data), capacity, 0, reinterpret_cast<sockaddr*>(&a), &size);
        if (got == SOCKET_ERROR) {
            int error = WSAGetLastError();
            // An over-long datagram arrives cut; an ICMP "port unreachable"
            // for an earlier send is no datagram at all.
            if (error == WSAEMSGSIZE) got = capacity;
            else if (error == WSAECONNRESET) continue;
            else return kWouldBlock;
        }
        ip = ntohl(a.sin_addr.s_addr);
        port = ntohs(a.sin_port);
        return got;
    }
}

bool waitSockets(const Socket* reads, int readCount, bool* readable, const Socket* writes, int writeCount,
                 bool* writable, int timeoutMs) {
    // select's sets hold FD_SETSIZE sockets; the service keeps below that.
    fd_set r, w;
    FD_ZERO(&r);
    FD_ZERO(&w);
    for (int i = 0; i < readCount && i < FD_SETSIZE; ++i) FD_SET(raw(reads[i]), &r);
    for (int i = 0; i < writeCount && i < FD_SETSIZE; ++i) FD_SET(raw(writes[i]), &w);
    timeval limit{timeoutMs / 1000, (timeoutMs % 1000) * 1000};
    if (readCount + writeCount == 0) {
        Sleep(static_cast<DWORD>(timeoutMs));
        return true;
    }
    if (select(0, readCount ? &r : nullptr, writeCount ? &w : nullptr, nullptr, &limit) == SOCKET_ERROR) return false;
    for (int i = 0; i < readCount; ++i) readable[i] = FD_ISSET(raw(reads[i]), &r);
    for (int i = 0; i < writeCount; ++i) writable[i] = FD_ISSET(raw(writes[i]), &w);
    return true;
}

} // namespace platform
