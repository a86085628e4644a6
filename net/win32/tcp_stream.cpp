// TCPStream and TCPServer over WinSock: blocking connect, reads bounded by
// the module's read time-out, accept bounded by the accept time-out.
#include <winsock2.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "net/host_lookup.h"
#include "net/tcp_stream.h"
#include "net/tcpip_module.h"
#include "net/win32/socket_ops.h"

namespace {

SOCKET sock(uintptr_t s) { return static_cast<SOCKET>(s); }

} // namespace

TCPStream* TCPStream::open(const std::string& server, int serverPort, int localPort) {
    if (!tcpIpSettings().networkStarted) return nullptr;
    if (!validPort(serverPort) || !validPort(localPort)) return nullptr;
    uint32_t ip;
    if (!resolveHost(server, ip)) return nullptr;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return nullptr;
    if (localPort) {
        sockaddr_in local = ipv4Address(INADDR_ANY, localPort);
        if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == SOCKET_ERROR) {
            closesocket(s);
            return nullptr;
        }
    }
    sockaddr_in remote = ipv4Address(ip, serverPort);
    if (connect(s, reinterpret_cast<sockaddr*>(&remote), sizeof remote) == SOCKET_ERROR) {
        closesocket(s);
        return nullptr;
    }
    return new TCPStream(s, nullptr);
}

TCPStream::TCPStream(uintptr_t socket, TCPServer* server) : socket_(socket), server_(server) {
    sockaddr_in peer{};
    int size = sizeof peer;
    if (getpeername(sock(socket_), reinterpret_cast<sockaddr*>(&peer), &size) == 0 && peer.sin_family == AF_INET) {
        peerIP_ = hostOrderIP(peer);
        peerPort_ = hostOrderPort(peer);
    }
    // Non-blocking, so that a read receives what is waiting without first
    // asking whether anything is; writes still return only when all is sent.
    u_long nonBlocking = 1;
    ioctlsocket(sock(socket_), FIONBIO, &nonBlocking);
    if (server_) server_->accepted_.insert(this);
}

TCPStream::~TCPStream() {
    if (server_) server_->accepted_.erase(this);
    closeSocket(sock(socket_), state_);
}

int TCPStream::takeBuffered(char* to, int count) {
    int n = std::min(count, bufferEnd_ - bufferStart_);
    if (n <= 0) return 0;
    std::memcpy(to, buffer_.get() + bufferStart_, static_cast<size_t>(n));
    bufferStart_ += n;
    if (bufferStart_ == bufferEnd_) bufferStart_ = bufferEnd_ = 0;
    return n;
}

// Called only with the buffer empty. Returns what recv returns: the bytes
// delivered to `to`, 0 when the peer closed, SOCKET_ERROR on failure.
int TCPStream::receive(char* to, int count) {
    if (count >= kBufferSize) return recv(sock(socket_), to, count, 0);
    if (!buffer_) buffer_.reset(new char[kBufferSize]);
    int n = recv(sock(socket_), buffer_.get(), kBufferSize, 0);
    if (n <= 0) return n;
    bufferEnd_ = n;
    return takeBuffered(to, count);
}

// The socket is non-blocking (see the constructor): a receive takes what is
// waiting, and only when nothing is does the read wait for readability up to
// what is left of the time-out. This is the wait-then-receive loop without the
// cost of a wait before every receive.
int TCPStream::read(void* buffer, int count) {
    if (state_ != 0 || count <= 0) return 0;
    char* to = static_cast<char*>(buffer);
    int got = takeBuffered(to, count);
    if (got == count) return got;
    const int timeout = tcpIpSettings().tcpReadTimeout;
    const int64_t deadline = timeout > 0 ? nowMillis() + timeout : 0;
    while (got < count) {
        int n = receive(to + got, count - got);
        if (n > 0) {
            got += n;
            continue;
        }
        if (n == 0) {
            state_ = 1;
            break;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK) {
            state_ = -1;
            break;
        }
        int remaining = timeout;
        if (timeout > 0) remaining = static_cast<int>(std::max<int64_t>(0, deadline - nowMillis()));
        if (waitReadable(sock(socket_), remaining) != 1) {
            state_ = -1;
            break;
        }
    }
    return got;
}

// One blocking send: it returns once the socket layer has taken every byte.
int TCPStream::write(const void* buffer, int count) {
    if (state_ != 0 || count <= 0) return 0;
    const char* from = static_cast<const char*>(buffer);
    int sent = 0;
    while (sent < count) {
        int n = send(sock(socket_), from + sent, count - sent, 0);
        if (n != SOCKET_ERROR) {
            sent += n;
            continue;
        }
        if (WSAGetLastError() != WSAEWOULDBLOCK || waitWritable(sock(socket_)) != 1) {
            state_ = -1;
            return 0;
        }
    }
    return sent;
}

int TCPStream::avail() {
    u_long pending = 0;
    if (ioctlsocket(sock(socket_), FIONREAD, &pending) == SOCKET_ERROR) {
        state_ = -1;
        return 0;
    }
    const u_long buffered = static_cast<u_long>(bufferEnd_ - bufferStart_);
    return static_cast<int>(std::min<u_long>(pending, 0x7fffffff - buffered) + buffered);
}

int TCPStream::eof() {
    if (state_ != 0) return state_;
    if (bufferEnd_ > bufferStart_) return 0;
    int readable = waitReadable(sock(socket_), 0);
    if (readable == 0) return 0;
    u_long pending = 0;
    if (readable < 0 || ioctlsocket(sock(socket_), FIONREAD, &pending) == SOCKET_ERROR) {
        state_ = -1;
        return -1;
    }
    if (pending > 0) return 0;
    // Readable with nothing to read: the peer has closed its side.
    state_ = 1;
    return 1;
}

TCPServer* TCPServer::create(int port) {
    if (!tcpIpSettings().networkStarted) return nullptr;
    if (!validPort(port)) return nullptr;
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    if (s == INVALID_SOCKET) return nullptr;
    sockaddr_in local = ipv4Address(INADDR_ANY, port);
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == SOCKET_ERROR || listen(s, 5) == SOCKET_ERROR) {
        closesocket(s);
        return nullptr;
    }
    return new TCPServer(s);
}

TCPServer::~TCPServer() { closeSocket(sock(socket_), state_); }

TCPStream* TCPServer::accept() {
    if (state_ != 0) return nullptr;
    int readable = waitReadable(sock(socket_), tcpIpSettings().tcpAcceptTimeout);
    if (readable == 0) return nullptr;
    SOCKET s = INVALID_SOCKET;
    if (readable > 0) s = ::accept(sock(socket_), nullptr, nullptr);
    if (s == INVALID_SOCKET) {
        state_ = -1;
        return nullptr;
    }
    auto* stream = new TCPStream(s, this);
    addOwned(stream);
    return stream;
}

int TCPServer::localPort() const {
    sockaddr_in local{};
    int size = sizeof local;
    if (getsockname(sock(socket_), reinterpret_cast<sockaddr*>(&local), &size) != 0) return 0;
    return hostOrderPort(local);
}
