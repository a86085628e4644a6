// Fuzz target: the multiplayer session service's wire protocol, as a host
// (a stranger connects) or as a member (connected to its host), over an
// in-memory network: nothing leaves the process. The service loop runs once
// after each event.
//
// Input: a role byte (even: host, odd: member), then events: a kind byte,
// then for TCP bytes a length byte and the bytes the peer sends; for a
// datagram to the session socket or the enumeration responder the sender's
// last address byte (127.0.0.x), a 16-bit port, a length byte and the bytes;
// for a close, nothing.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <deque>
#include <vector>

#include "net/session/session_core.h"

namespace {

enum : platform::Socket { kPeer = 1, kSession = 2, kListener = 3, kEnum = 4 };

struct Datagram {
    std::vector<uint8_t> bytes;
    uint32_t ip;
    int port;
};

struct Network {
    std::deque<uint8_t> peerBytes;
    bool peerClosed = false, accepted = false;
    std::deque<Datagram> datagrams[5];
} net;

} // namespace

// The platform's socket calls, over the network above.
namespace platform {

bool socketsStart() { return true; }
void socketsStop() {}
Socket tcpListen(int, int& boundPort) { return boundPort = 0, kNoSocket; }
Socket tcpConnect(uint32_t, int, int) { return kNoSocket; }
Socket udpOpen(int, int& boundPort) { return boundPort = 0, kNoSocket; }
void closeSocket(Socket) {}

Socket tcpAccept(Socket listener, uint32_t& ip, int& port) {
    if (listener != kListener || net.accepted) return kNoSocket;
    net.accepted = true;
    ip = 0x7F000002;
    port = 40000;
    return kPeer;
}

int sendSome(Socket socket, const void*, int n) { return socket == kPeer && !net.peerClosed ? n : kFailed; }

int recvSome(Socket socket, void* data, int n) {
    if (socket != kPeer) return kFailed;
    if (net.peerBytes.empty()) return net.peerClosed ? 0 : kWouldBlock;
    int got = 0;
    for (; got < n && !net.peerBytes.empty(); ++got) {
        static_cast<uint8_t*>(data)[got] = net.peerBytes.front();
        net.peerBytes.pop_front();
    }
    return got;
}

bool sendDatagram(Socket, uint32_t, int, const void*, int) { return true; }

int recvDatagram(Socket socket, void* data, int capacity, uint32_t& ip, int& port) {
    if (socket < 0 || socket > 4 || net.datagrams[socket].empty()) return kWouldBlock;
    Datagram d = std::move(net.datagrams[socket].front());
    net.datagrams[socket].pop_front();
    int n = static_cast<int>(d.bytes.size()) < capacity ? static_cast<int>(d.bytes.size()) : capacity;
    if (n > 0) std::memcpy(data, d.bytes.data(), static_cast<size_t>(n));
    ip = d.ip;
    port = d.port;
    return n;
}

bool waitSockets(const Socket* reads, int readCount, bool* readable, const Socket* writes, int writeCount,
                 bool* writable, int) {
    for (int i = 0; i < readCount; ++i) {
        Socket s = reads[i];
        readable[i] = s == kPeer ? !net.peerBytes.empty() || net.peerClosed
                    : s == kListener ? !net.accepted
                    : s >= 0 && s <= 4 && !net.datagrams[s].empty();
    }
    for (int i = 0; i < writeCount; ++i) writable[i] = true;
    return true;
}

} // namespace platform

namespace session {

struct SessionCoreProbe {
    static void start(SessionCore& core, bool host) {
        core.udp_ = kSession;
        if (host) {
            core.listener_ = kListener;
            core.enum_ = kEnum;
            core.sessionId_ = 0x11223344;
        } else {
            core.connectTo(kPeer, 0x7F000001);
        }
    }
    static void service(SessionCore& core) {
        SessionCore::Lock lock(core.mutex_);
        core.serviceOnce(lock);
        // The program's side: take what arrived.
        lock.unlock();
        SessionEvent event;
        while (core.receive(event)) {
        }
    }
};

} // namespace session

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    net = Network();
    const bool host = (data[0] & 1) == 0;
    session::SessionCore core("fuzz", host);
    session::SessionCoreProbe::start(core, host);
    size_t at = 1;
    auto byte = [&]() -> int { return at < size ? data[at++] : -1; };
    for (int events = 0; at < size && events < 64; ++events) {
        int kind = byte() % 4;
        if (kind == 0) {
            int n = byte();
            for (; n > 0 && at < size; --n) net.peerBytes.push_back(data[at++]);
        } else if (kind == 1 || kind == 2) {
            int last = byte(), hi = byte(), lo = byte(), n = byte();
            if (n < 0) break;
            Datagram d{{}, 0x7F000000u | static_cast<uint32_t>(last & 0xFF), (hi & 0xFF) << 8 | (lo & 0xFF)};
            for (; n > 0 && at < size; --n) d.bytes.push_back(data[at++]);
            net.datagrams[kind == 1 ? kSession : kEnum].push_back(std::move(d));
        } else {
            net.peerClosed = true;
        }
        session::SessionCoreProbe::service(core);
    }
    return 0;
}
