// UDPStream over WinSock: one outgoing datagram collected by writes and sent
// whole, one incoming datagram held for reads.
#include <winsock2.h>

#include <algorithm>
#include <cstring>

#include "net/tcpip_module.h"
#include "net/udp_stream.h"
#include "net/win32/socket_ops.h"

namespace {

SOCKET sock(uintptr_t s) { return static_cast<SOCKET>(s); }

// Room for the largest IPv4 datagram. Receives always offer this much: the
// pending size that the socket layer reports may differ from the size of the
// next datagram (it can count several), and a buffer that is too small would
// cut the datagram short and lose the rest.
constexpr int kMaxDatagram = 65536;

} // namespace

UDPStream* UDPStream::create(int port) {
    if (!tcpIpSettings().networkStarted) return nullptr;
    if (!validPort(port)) return nullptr;
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) return nullptr;
    sockaddr_in local = ipv4Address(INADDR_ANY, port);
    if (bind(s, reinterpret_cast<sockaddr*>(&local), sizeof local) == SOCKET_ERROR) {
        closesocket(s);
        return nullptr;
    }
    sockaddr_in bound{};
    int size = sizeof bound;
    UdpAddress address;
    if (getsockname(s, reinterpret_cast<sockaddr*>(&bound), &size) == 0) address = {hostOrderIP(bound), hostOrderPort(bound)};
    return new UDPStream(s, address);
}

UDPStream::UDPStream(uintptr_t socket, UdpAddress local)
    : socket_(socket), local_(local), sender_(local), destination_(local) {}

UDPStream::~UDPStream() { closeSocket(sock(socket_), state_); }

int UDPStream::read(void* buffer, int count) {
    if (state_ != 0 || count <= 0) return 0;
    int n = std::min(count, avail());
    std::memcpy(buffer, recvBuffer_.data() + readPos_, n);
    readPos_ += n;
    return n;
}

int UDPStream::write(const void* buffer, int count) {
    if (state_ != 0 || count <= 0) return 0;
    const auto* bytes = static_cast<const uint8_t*>(buffer);
    sendBuffer_.insert(sendBuffer_.end(), bytes, bytes + count);
    return count;
}

int UDPStream::avail() { return static_cast<int>(recvBuffer_.size()) - readPos_; }

int UDPStream::eof() {
    if (state_ != 0) return state_;
    return readPos_ >= static_cast<int>(recvBuffer_.size()) ? 1 : 0;
}

uint32_t UDPStream::receive() {
    if (state_ != 0) return 0;
    const int timeout = tcpIpSettings().udpRecvTimeout;
    const int64_t deadline = timeout > 0 ? nowMillis() + timeout : 0;
    for (;;) {
        // A pending datagram with bytes makes the socket readable: the wait,
        // which costs far more than the receive, is only needed without one.
        u_long pending = 0;
        if (ioctlsocket(sock(socket_), FIONREAD, &pending) == SOCKET_ERROR) {
            state_ = -1;
            return 0;
        }
        if (pending == 0) {
            int remaining = timeout;
            if (timeout > 0) remaining = static_cast<int>(std::max<int64_t>(0, deadline - nowMillis()));
            int readable = waitReadable(sock(socket_), remaining);
            if (readable == 0) return 0;
            if (readable < 0) {
                state_ = -1;
                return 0;
            }
        }
        // The datagram lands in a scratch buffer first, so that a failed
        // receive leaves the previous datagram readable rather than stale.
        if (!scratch_) scratch_.reset(new uint8_t[kMaxDatagram]);
        sockaddr_in from{};
        int fromSize = sizeof from;
        int n = recvfrom(sock(socket_), reinterpret_cast<char*>(scratch_.get()), kMaxDatagram, 0,
                         reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (n == SOCKET_ERROR) continue; // e.g. a reset reported for an earlier send
        recvBuffer_.assign(scratch_.get(), scratch_.get() + n);
        readPos_ = 0;
        sender_ = {hostOrderIP(from), hostOrderPort(from)};
        return sender_.ip;
    }
}

void UDPStream::send(uint32_t ip, int port) {
    if (state_ != 0) return;
    // A port the socket layer cannot take is a send it refuses: nothing goes
    // to whatever port its low 16 bits would name.
    if (!validPort(port)) {
        state_ = -1;
        return;
    }
    destination_ = {ip, port ? port : local_.port};
    sockaddr_in to = ipv4Address(destination_.ip, destination_.port);
    int size = static_cast<int>(sendBuffer_.size());
    int n = sendto(sock(socket_), reinterpret_cast<const char*>(sendBuffer_.data()), size, 0,
                   reinterpret_cast<sockaddr*>(&to), sizeof to);
    if (n == size)
        sendBuffer_.clear();
    else
        state_ = -1;
}
