// The session roster: introductions (hello, welcome, rejoin), members and
// players joining and leaving, and the host change when the host goes.
#include <algorithm>

#include "net/session/session_core.h"

namespace session {

// ---- introductions ----

std::vector<uint8_t> SessionCore::nodeRecord(Frame kind, const Node& n) {
    FrameWriter out(kind);
    out.u32(n.id).u32(n.ip).u16(n.tcpPort).u16(n.udpPort);
    return out.finish();
}

// The session as the host knows it: ids, every member's address, every player.
std::vector<uint8_t> SessionCore::welcomeFor(uint32_t node) {
    FrameWriter out(Frame::Welcome);
    out.u16(kVersion).u32(sessionId_).u32(node).u32(me_).u32(highestPlayer_);
    out.u32(static_cast<uint32_t>(nodes_.size()));
    for (auto& [id, n] : nodes_) out.u32(n.id).u32(n.ip).u16(n.tcpPort).u16(n.udpPort);
    out.u32(static_cast<uint32_t>(players_.size()));
    for (auto& [id, p] : players_) out.u32(id).u32(p.node).text(p.name);
    return out.finish();
}

// A first welcome sets the roster as it stands; a welcome after a host change
// also reports the players that were lost with the old host or came meanwhile.
void SessionCore::applyWelcome(FrameReader& in, Connection& c) {
    uint16_t version = 0;
    uint32_t session = 0, node = 0, hostNode = 0, highestPlayer = 0, count = 0;
    if (!in.u16(version) || !in.u32(session) || !in.u32(node) || !in.u32(hostNode) || !in.u32(highestPlayer) ||
        !in.u32(count) || count > 4096) {
        c.dead = true;
        return;
    }
    std::map<uint32_t, Node> nodes;
    for (uint32_t i = 0; i < count; ++i) {
        Node n{};
        if (!in.u32(n.id) || !in.u32(n.ip) || !in.u16(n.tcpPort) || !in.u16(n.udpPort)) {
            c.dead = true;
            return;
        }
        if (n.ip == 0) n.ip = c.ip; // the host's own record: where we reached it
        nodes[n.id] = n;
    }
    std::map<uint32_t, Player> players;
    if (!in.u32(count)) {
        c.dead = true;
        return;
    }
    for (uint32_t i = 0; i < count; ++i) {
        uint32_t id = 0;
        Player p;
        if (!in.u32(id) || !in.u32(p.node) || !in.text(p.name)) {
            c.dead = true;
            return;
        }
        players[id] = p;
    }
    bool rejoin = welcomed_;
    sessionId_ = session;
    me_ = node;
    hostNode_ = hostNode;
    hostIp_ = c.ip;
    highestPlayer_ = std::max(highestPlayer_, highestPlayer);
    for (auto& [id, n] : nodes) highestNode_ = std::max(highestNode_, id);
    if (rejoin) {
        for (auto& [id, p] : players_)
            if (!players.count(id) && p.node != me_) push(SessionEvent{SessionEvent::PlayerDestroyed, id, 0, {}, {}});
        for (auto& [id, p] : players)
            if (!players_.count(id) && p.node != me_)
                push(SessionEvent{SessionEvent::PlayerCreated, id, 0, p.name, {}});
        // Our own players stay ours even if word of one never reached the host.
        for (auto& [id, p] : players_)
            if (p.node == me_) players[id] = p;
    }
    nodes_ = std::move(nodes);
    players_ = std::move(players);
    for (auto& [id, p] : players_) highestPlayer_ = std::max(highestPlayer_, id);
    welcomed_ = true;
    migrating_ = false;
    changed_.notify_all();
}

// ---- the roster ----

void SessionCore::addPlayer(uint32_t id, uint32_t node, const std::string& name, uint32_t request) {
    highestPlayer_ = std::max(highestPlayer_, id);
    bool known = players_.count(id) != 0;
    players_[id] = Player{node, name};
    if (node == me_) {
        if (request) {
            created_[request] = id;
            changed_.notify_all();
        }
    } else if (!known) {
        push(SessionEvent{SessionEvent::PlayerCreated, id, 0, name, {}});
    }
    if (host_) {
        FrameWriter made(Frame::PlayerCreated);
        made.u32(0).u32(id).u32(node).text(name);
        broadcast(made.finish(), node);
        if (node != me_)
            if (Connection* owner = connectionOf(node)) {
                FrameWriter reply(Frame::PlayerCreated);
                reply.u32(request).u32(id).u32(node).text(name);
                queue(*owner, reply.finish());
            }
    }
}

void SessionCore::removePlayer(uint32_t id) {
    auto it = players_.find(id);
    if (it == players_.end()) return;
    bool local = it->second.node == me_;
    players_.erase(it);
    if (!local) push(SessionEvent{SessionEvent::PlayerDestroyed, id, 0, {}, {}});
    if (host_) {
        FrameWriter gone(Frame::PlayerDestroyed);
        gone.u32(id);
        broadcast(gone.finish(), 0);
    }
}

void SessionCore::removeNode(uint32_t node) {
    std::vector<uint32_t> gone;
    for (auto& [id, p] : players_)
        if (p.node == node) gone.push_back(id);
    for (uint32_t id : gone) removePlayer(id);
    nodes_.erase(node);
    expected_.erase(node);
    if (Connection* c = connectionOf(node)) c->dead = true;
    if (host_) {
        FrameWriter left(Frame::NodeLeft);
        left.u32(node);
        broadcast(left.finish(), node);
    }
}

// ---- host changes ----

// The host has gone: the remaining members in order of joining are the
// candidates; the first that is reachable becomes host.
void SessionCore::hostLost() {
    if (stopping_) return;
    if (!migrating_) {
        lostHost_ = hostNode_;
        candidates_.clear();
        for (auto& [id, n] : nodes_)
            if (id != lostHost_) candidates_.push_back(id);
        migrating_ = true;
    }
}

void SessionCore::tryNextCandidate(Lock& lock) {
    while (!candidates_.empty() && !stopping_) {
        uint32_t candidate = candidates_.front();
        candidates_.erase(candidates_.begin());
        if (candidate == me_) {
            becomeHost();
            return;
        }
        auto n = nodes_.find(candidate);
        if (n == nodes_.end()) continue;
        Node target = n->second;
        lock.unlock();
        platform::Socket s = platform::tcpConnect(target.ip, target.tcpPort, 2000);
        lock.lock();
        if (s == platform::kNoSocket) continue;
        if (stopping_) {
            platform::closeSocket(s);
            return;
        }
        auto c = std::make_unique<Connection>();
        c->socket = s;
        c->ip = target.ip;
        c->opened = c->lastRecv = c->lastSend = now();
        hostConnection_ = c.get();
        hostNode_ = candidate;
        welcomeDeadline_ = now() + 3000;
        FrameWriter rejoin(Frame::Rejoin);
        rejoin.u32(kMagic).u16(kVersion).u32(sessionId_).u32(me_).u16(static_cast<uint16_t>(tcpPort_))
            .u16(static_cast<uint16_t>(udpPort_));
        std::vector<std::pair<uint32_t, std::string>> mine;
        for (auto& [id, p] : players_)
            if (p.node == me_) mine.emplace_back(id, p.name);
        rejoin.u32(static_cast<uint32_t>(mine.size()));
        for (auto& [id, name] : mine) rejoin.u32(id).text(name);
        connections_.push_back(std::move(c));
        queue(*hostConnection_, rejoin.finish());
        return; // the welcome (or its absence) decides in the service loop
    }
    if (!stopping_ && migrating_) lose();
}

void SessionCore::becomeHost() {
    migrating_ = false;
    host_ = true;
    hostNode_ = me_;
    uint32_t t = now();
    nodes_[me_].tcpPort = static_cast<uint16_t>(tcpPort_);
    nodes_[me_].udpPort = static_cast<uint16_t>(udpPort_);
    nodes_[me_].ip = 0;
    if (nodes_.count(lostHost_)) removeNode(lostHost_);
    for (auto& [id, n] : nodes_)
        if (id != me_) expected_[id] = t + kRejoinGrace;
    openEnumResponder();
    push(SessionEvent{SessionEvent::BecameHost, 0, 0, {}, {}});
    // Members that reached us before we knew are answered now.
    for (auto& c : connections_)
        if (!c->node && !c->dead && c.get() != hostConnection_) parseFrames(*c);
}

void SessionCore::lose() {
    migrating_ = false;
    lost_ = true;
    push(SessionEvent{SessionEvent::Lost, 0, 0, {}, {}});
    changed_.notify_all();
}

} // namespace session
