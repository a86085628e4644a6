// WinSock helpers shared by the TCP and UDP streams.
#include "net/win32/socket_ops.h"

#include <chrono>

int waitReadable(SOCKET socket, int millis) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval limit;
    timeval* wait = nullptr;
    if (millis >= 0) {
        limit.tv_sec = millis / 1000;
        limit.tv_usec = (millis % 1000) * 1000;
        wait = &limit;
    }
    int n = select(0, &readable, nullptr, nullptr, wait);
    if (n == SOCKET_ERROR) return -1;
    return n > 0 ? 1 : 0;
}

int waitWritable(SOCKET socket) {
    fd_set writable;
    FD_ZERO(&writable);
    FD_SET(socket, &writable);
    return select(0, nullptr, &writable, nullptr, nullptr) == 1 ? 1 : -1;
}

int64_t nowMillis() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

sockaddr_in ipv4Address(uint32_t hostIP, int port) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(hostIP);
    address.sin_port = htons(static_cast<u_short>(port));
    return address;
}

void closeSocket(SOCKET socket, int state) {
    if (socket == INVALID_SOCKET) return;
    if (state == -1) {
        linger off{};
        off.l_onoff = 0;
        setsockopt(socket, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&off), sizeof off);
    }
    closesocket(socket);
}
