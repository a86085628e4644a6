// The session service's state machine: introductions, the player roster,
// message routing and relaying, keep-alives, and host migration.
#include "net/session/session_core.h"

#include <algorithm>
#include <chrono>
#include <random>

#include "platform/clock.h"

namespace session {

namespace {

uint32_t newSessionId() {
    std::random_device device;
    std::mt19937 gen(device() ^ now());
    uint32_t id = 0;
    while (id == 0) id = gen();
    return id;
}

} // namespace

SessionCore::SessionCore(const std::string& name, bool hosting) : name_(name), host_(hosting) {
    if (hosting) {
        sessionId_ = newSessionId();
        me_ = hostNode_ = highestNode_ = 1;
        nodes_[me_] = Node{me_, 0, 0, 0};
        welcomed_ = true;
    }
}

SessionCore::~SessionCore() { leave(false); }

bool SessionCore::openSockets() {
    listener_ = platform::tcpListen(0, tcpPort_);
    udp_ = platform::udpOpen(0, udpPort_);
    if (listener_ == platform::kNoSocket || udp_ == platform::kNoSocket) return false;
    if (host_) {
        nodes_[me_].tcpPort = static_cast<uint16_t>(tcpPort_);
        nodes_[me_].udpPort = static_cast<uint16_t>(udpPort_);
    }
    return true;
}

bool SessionCore::openEnumResponder() {
    for (int i = 0; i < kEnumPorts && enum_ == platform::kNoSocket; ++i)
        enum_ = platform::udpOpen(kEnumPortFirst + i, enumPort_);
    if (enum_ == platform::kNoSocket) enumPort_ = 0;
    return enum_ != platform::kNoSocket;
}

void SessionCore::startThread() { thread_ = std::thread([this] { run(); }); }

void SessionCore::connectTo(platform::Socket socket, uint32_t ip) {
    auto c = std::make_unique<Connection>();
    c->socket = socket;
    c->ip = ip;
    c->opened = c->lastRecv = c->lastSend = now();
    hostIp_ = ip;
    hostConnection_ = c.get();
    FrameWriter hello(Frame::Hello);
    hello.u32(kMagic).u16(kVersion).text(name_).u16(static_cast<uint16_t>(tcpPort_)).u16(static_cast<uint16_t>(udpPort_));
    queue(*c, hello.finish());
    connections_.push_back(std::move(c));
}

bool SessionCore::awaitWelcome(uint32_t timeoutMs) {
    Lock lock(mutex_);
    changed_.wait_for(lock, std::chrono::milliseconds(timeoutMs), [this] { return welcomed_ || refused_ || lost_; });
    return welcomed_ && !lost_;
}

// Says goodbye (so peers need not wait for a time-out), gives the words a
// moment to leave, then closes everything.
void SessionCore::leave(bool sayGoodbye) {
    {
        Lock lock(mutex_);
        if (stopping_) return;
        if (sayGoodbye) {
            FrameWriter bye(Frame::Leaving);
            for (auto& c : connections_)
                if (c->node && !c->dead) queue(*c, bye.finish());
        }
        stopping_ = true;
    }
    if (thread_.joinable()) thread_.join();
    if (sayGoodbye) {
        uint32_t start = now();
        for (auto& c : connections_) {
            while (c->pending() && !c->dead && now() - start < 1000) {
                bool ready = false;
                platform::waitSockets(nullptr, 0, nullptr, &c->socket, 1, &ready, 50);
                flush(*c);
            }
        }
    }
    for (auto& c : connections_) platform::closeSocket(c->socket);
    connections_.clear();
    hostConnection_ = nullptr;
    for (platform::Socket* s : {&listener_, &udp_, &enum_}) {
        platform::closeSocket(*s);
        *s = platform::kNoSocket;
    }
}

// ---- the program's side ----

bool SessionCore::isHost() const {
    Lock lock(mutex_);
    return host_;
}

uint32_t SessionCore::nodeId() const {
    Lock lock(mutex_);
    return me_;
}

int SessionCore::enumPort() const {
    Lock lock(mutex_);
    return enumPort_;
}

std::vector<PlayerInfo> SessionCore::players() const {
    Lock lock(mutex_);
    std::vector<PlayerInfo> list;
    for (auto& [id, p] : players_) list.push_back(PlayerInfo{id, p.node, p.name, p.node == me_});
    return list;
}

uint32_t SessionCore::createPlayer(const std::string& name) {
    Lock lock(mutex_);
    if (lost_ || stopping_) return 0;
    if (host_) {
        uint32_t id = ++highestPlayer_;
        addPlayer(id, me_, name, 0);
        return id;
    }
    if (!hostConnection_) return 0;
    uint32_t request = ++nextRequest_;
    FrameWriter create(Frame::CreatePlayer);
    create.u32(request).text(name);
    queue(*hostConnection_, create.finish());
    changed_.wait_for(lock, std::chrono::milliseconds(kPeerTimeout), [&] { return created_.count(request) || lost_; });
    auto it = created_.find(request);
    if (it == created_.end()) return 0;
    uint32_t id = it->second;
    created_.erase(it);
    return players_.count(id) ? id : 0;
}

bool SessionCore::destroyPlayer(uint32_t id) {
    Lock lock(mutex_);
    auto it = players_.find(id);
    if (it == players_.end() || it->second.node != me_) return false;
    players_.erase(it);
    if (host_) {
        FrameWriter gone(Frame::PlayerDestroyed);
        gone.u32(id);
        broadcast(gone.finish(), 0);
    } else if (hostConnection_) {
        FrameWriter destroy(Frame::DestroyPlayer);
        destroy.u32(id);
        queue(*hostConnection_, destroy.finish());
    }
    return true;
}

bool SessionCore::send(uint32_t from, uint32_t to, const void* data, size_t size, bool guaranteed) {
    Lock lock(mutex_);
    if (lost_ || stopping_ || size > kMaxMessage) return false;
    auto sender = players_.find(from);
    if (sender == players_.end() || sender->second.node != me_) return false;
    if (to != 0 && !players_.count(to)) return false;
    // Wait while a peer is far behind (its connection is flow-controlled).
    uint32_t start = now();
    auto behind = [&] {
        for (auto& c : connections_)
            if (c->node && !c->dead && c->pending() > kSenderWaits) return true;
        return false;
    };
    while (behind() && now() - start < kPeerTimeout) changed_.wait_for(lock, std::chrono::milliseconds(2));
    bool datagram = !guaranteed && size <= kMaxDatagramMessage;
    auto* bytes = static_cast<const uint8_t*>(data);
    if (host_) {
        route(me_, from, to, bytes, size, datagram);
    } else if (!(to != 0 && players_[to].node == me_)) {
        sendMessageTo(hostNode_, from, to, bytes, size, datagram);
    }
    return true;
}

bool SessionCore::receive(SessionEvent& event) {
    Lock lock(mutex_);
    if (inbox_.empty()) return false;
    event = std::move(inbox_.front());
    inbox_.pop_front();
    inboxBytes_ -= event.data.size();
    return true;
}

// ---- the service thread ----

void SessionCore::run() {
    Lock lock(mutex_);
    while (!stopping_) serviceOnce(lock);
}

void SessionCore::serviceOnce(Lock& lock) {
    if (migrating_ && !hostConnection_) {
        tryNextCandidate(lock);
        return;
    }
    std::vector<platform::Socket> reads, writes;
    std::vector<Connection*> readConns, writeConns;
    for (platform::Socket s : {listener_, udp_, enum_})
        if (s != platform::kNoSocket) reads.push_back(s);
    size_t fixed = reads.size();
    bool roomForMore = inboxBytes_ < kMaxInbox;
    for (auto& c : connections_) {
        if (c->dead) continue;
        if (roomForMore) {
            reads.push_back(c->socket);
            readConns.push_back(c.get());
        }
        if (c->pending()) {
            writes.push_back(c->socket);
            writeConns.push_back(c.get());
        }
    }
    std::unique_ptr<bool[]> readable(new bool[reads.size() + 1]()), writable(new bool[writes.size() + 1]());
    lock.unlock();
    bool ok = platform::waitSockets(reads.data(), static_cast<int>(reads.size()), readable.get(), writes.data(),
                                    static_cast<int>(writes.size()), writable.get(), 20);
    lock.lock();
    if (stopping_) return;
    if (ok) {
        size_t r = 0;
        // Up to 16 newcomers a round; the rest wait in the listen queue.
        if (listener_ != platform::kNoSocket && readable[r++]) {
            for (int i = 0; i < 16; ++i) {
                uint32_t ip = 0;
                int port = 0;
                platform::Socket s = platform::tcpAccept(listener_, ip, port);
                if (s == platform::kNoSocket) break;
                if (static_cast<int>(connections_.size()) >= kMaxConnections && !dropOldestStranger()) {
                    platform::closeSocket(s);
                    continue;
                }
                auto c = std::make_unique<Connection>();
                c->socket = s;
                c->ip = ip;
                c->opened = c->lastRecv = c->lastSend = now();
                connections_.push_back(std::move(c));
            }
        }
        if (udp_ != platform::kNoSocket && readable[r++]) readDatagrams(udp_, false);
        if (enum_ != platform::kNoSocket && readable[r++]) readDatagrams(enum_, true);
        for (size_t i = 0; i < readConns.size(); ++i)
            if (readable[fixed + i] && !readConns[i]->dead) readConnection(*readConns[i]);
        for (size_t i = 0; i < writeConns.size(); ++i)
            if (writable[i] && !writeConns[i]->dead) flush(*writeConns[i]);
    }
    timers(now());
    reap();
}

// At the connection limit a newcomer takes the place of the oldest peer that
// has not introduced itself, so a flood of silent connections cannot keep
// real members out.
bool SessionCore::dropOldestStranger() {
    Connection* oldest = nullptr;
    for (auto& c : connections_)
        if (!c->node && !c->dead && c.get() != hostConnection_ &&
            (!oldest || static_cast<int32_t>(c->opened - oldest->opened) < 0))
            oldest = c.get();
    if (!oldest) return false;
    oldest->dead = true; // closed by reap() with the other dead ones
    return true;
}

void SessionCore::readConnection(Connection& c) {
    uint8_t chunk[65536];
    int got = platform::recvSome(c.socket, chunk, sizeof chunk);
    if (got == platform::kWouldBlock) return;
    if (got <= 0) {
        c.dead = true;
        return;
    }
    c.lastRecv = now();
    c.in.insert(c.in.end(), chunk, chunk + got);
    // A stranger that reaches a member before the member knows it is the new
    // host waits, unanswered, until it is (or until it times out).
    if (!c.node && !host_ && &c != hostConnection_) {
        if (c.in.size() > 65536) c.dead = true;
        return;
    }
    parseFrames(c);
}

void SessionCore::parseFrames(Connection& c) {
    size_t at = 0;
    while (!c.dead && c.in.size() - at >= 4) {
        const uint8_t* p = c.in.data() + at;
        uint32_t length = static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 |
                          static_cast<uint32_t>(p[2]) << 16 | static_cast<uint32_t>(p[3]) << 24;
        // A frame without a kind or longer than any frame may be breaks the
        // protocol: the peer is dropped before anything is allocated for it.
        // Until a peer has introduced itself only short frames are taken.
        uint32_t limit = c.node || &c == hostConnection_ ? kMaxFrame : kMaxIntroduction;
        if (length == 0 || length > limit) {
            c.dead = true;
            break;
        }
        if (c.in.size() - at - 4 < length) break;
        handleFrame(c, p + 4, length);
        at += 4 + length;
    }
    if (at) c.in.erase(c.in.begin(), c.in.begin() + static_cast<std::ptrdiff_t>(at));
}

void SessionCore::handleFrame(Connection& c, const uint8_t* body, size_t size) {
    FrameReader in(body + 1, size - 1);
    auto kind = static_cast<Frame>(body[0]);
    if (kind == Frame::Ping) return;
    if (&c == hostConnection_)
        handleFromHost(c, kind, in);
    else if (c.node)
        handleFromMember(c, kind, in);
    else if (host_)
        handleUnknownPeer(c, kind, in);
    else
        c.dead = true;
}

void SessionCore::refuse(Connection& c, const char* reason) {
    FrameWriter no(Frame::Refuse);
    no.u16(kVersion).text(reason);
    queue(c, no.finish());
    flush(c);
    c.dead = true;
}

void SessionCore::handleUnknownPeer(Connection& c, Frame kind, FrameReader& in) {
    uint32_t magic = 0;
    uint16_t version = 0;
    if (kind != Frame::Hello && kind != Frame::Rejoin) {
        c.dead = true;
        return;
    }
    if (!in.u32(magic) || magic != kMagic || !in.u16(version)) {
        c.dead = true;
        return;
    }
    if (version != kVersion) return refuse(c, "version");
    if (kind == Frame::Hello) {
        std::string name;
        uint16_t tcp = 0, udp = 0;
        if (!in.text(name) || !in.u16(tcp) || !in.u16(udp)) {
            c.dead = true;
            return;
        }
        if (name != name_) return refuse(c, "name");
        uint32_t id = ++highestNode_;
        Node node{id, c.ip, tcp, udp};
        nodes_[id] = node;
        c.node = id;
        queue(c, welcomeFor(id));
        broadcast(nodeRecord(Frame::NodeJoined, node), id);
        return;
    }
    // Rejoin after a host change.
    uint32_t session = 0, node = 0, count = 0;
    uint16_t tcp = 0, udp = 0;
    if (!in.u32(session) || !in.u32(node) || !in.u16(tcp) || !in.u16(udp) || !in.u32(count)) {
        c.dead = true;
        return;
    }
    if (session != sessionId_ || !expected_.count(node) || connectionOf(node)) return refuse(c, "unknown member");
    expected_.erase(node);
    c.node = node;
    nodes_[node] = Node{node, c.ip, tcp, udp};
    highestNode_ = std::max(highestNode_, node);
    // Players the member made that word of never reached us.
    for (uint32_t i = 0; i < count && i < 4096; ++i) {
        uint32_t id = 0;
        std::string name;
        if (!in.u32(id) || !in.text(name)) break;
        if (!players_.count(id)) addPlayer(id, node, name, 0);
    }
    queue(c, welcomeFor(node));
}

void SessionCore::handleFromMember(Connection& c, Frame kind, FrameReader& in) {
    if (!host_) { // only a host has members
        c.dead = true;
        return;
    }
    switch (kind) {
    case Frame::CreatePlayer: {
        uint32_t request = 0;
        std::string name;
        if (!in.u32(request) || !in.text(name)) break;
        addPlayer(++highestPlayer_, c.node, name, request);
        return;
    }
    case Frame::DestroyPlayer: {
        uint32_t id = 0;
        if (!in.u32(id)) break;
        auto it = players_.find(id);
        if (it != players_.end() && it->second.node == c.node) removePlayer(id);
        return;
    }
    case Frame::Message: {
        uint32_t from = 0, to = 0;
        if (!in.u32(from) || !in.u32(to)) break;
        auto sender = players_.find(from);
        // Words put in another member's mouth are not passed on.
        if (sender == players_.end() || sender->second.node != c.node) return;
        std::vector<uint8_t> data;
        in.rest(data);
        route(c.node, from, to, data.data(), data.size(), false);
        return;
    }
    case Frame::Leaving: c.dead = true; return;
    default: break;
    }
    c.dead = true;
}

void SessionCore::handleFromHost(Connection& c, Frame kind, FrameReader& in) {
    switch (kind) {
    case Frame::Welcome: applyWelcome(in, c); return;
    case Frame::Refuse:
        refused_ = true;
        c.dead = true;
        changed_.notify_all();
        return;
    case Frame::NodeJoined: {
        Node n{};
        if (!in.u32(n.id) || !in.u32(n.ip) || !in.u16(n.tcpPort) || !in.u16(n.udpPort)) break;
        nodes_[n.id] = n;
        highestNode_ = std::max(highestNode_, n.id);
        return;
    }
    case Frame::NodeLeft: {
        uint32_t id = 0;
        if (!in.u32(id)) break;
        nodes_.erase(id);
        return;
    }
    case Frame::PlayerCreated: {
        uint32_t request = 0, id = 0, node = 0;
        std::string name;
        if (!in.u32(request) || !in.u32(id) || !in.u32(node) || !in.text(name)) break;
        addPlayer(id, node, name, request);
        return;
    }
    case Frame::PlayerDestroyed: {
        uint32_t id = 0;
        if (!in.u32(id)) break;
        removePlayer(id);
        return;
    }
    case Frame::Message: {
        uint32_t from = 0, to = 0;
        if (!in.u32(from) || !in.u32(to)) break;
        std::vector<uint8_t> data;
        in.rest(data);
        deliver(from, to, data.data(), data.size());
        return;
    }
    case Frame::Leaving: c.dead = true; return;
    default: break;
    }
    c.dead = true;
}

// ---- keep-alives and deadlines ----

void SessionCore::timers(uint32_t t) {
    for (auto& c : connections_) {
        if (c->dead) continue;
        bool member = c->node || c.get() == hostConnection_;
        if (!member && t - c->opened >= kPeerTimeout) {
            c->dead = true; // never introduced itself
            continue;
        }
        if (t - c->lastRecv >= kPeerTimeout) {
            c->dead = true; // vanished
            continue;
        }
        if (member && t - c->lastSend >= kPingInterval) queue(*c, FrameWriter(Frame::Ping).finish());
    }
    if (host_) {
        std::vector<uint32_t> late;
        for (auto& [node, deadline] : expected_)
            if (static_cast<int32_t>(t - deadline) >= 0) late.push_back(node);
        for (uint32_t node : late) {
            expected_.erase(node);
            removeNode(node);
        }
    }
    if (migrating_ && hostConnection_ && static_cast<int32_t>(t - welcomeDeadline_) >= 0 && !hostConnection_->dead)
        hostConnection_->dead = true; // the candidate never welcomed us back
}

// Closes dead connections: a member's departure is told to the others; the
// host's starts a host change.
void SessionCore::reap() {
    for (size_t i = 0; i < connections_.size();) {
        Connection* c = connections_[i].get();
        if (!c->dead) {
            ++i;
            continue;
        }
        platform::closeSocket(c->socket);
        uint32_t node = c->node;
        bool wasHost = c == hostConnection_;
        connections_.erase(connections_.begin() + static_cast<std::ptrdiff_t>(i));
        if (wasHost) {
            hostConnection_ = nullptr;
            if (!welcomed_) {
                refused_ = true;
                changed_.notify_all();
            } else {
                hostLost();
            }
        } else if (host_ && node && nodes_.count(node)) {
            removeNode(node);
        }
    }
}

} // namespace session
