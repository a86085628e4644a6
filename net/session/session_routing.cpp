// Moving messages: datagrams, queued frames, the host's relaying and the
// program's inbox.
#include <algorithm>

#include "net/session/session_core.h"

namespace session {

// ---- datagrams ----

void SessionCore::readDatagrams(platform::Socket socket, bool responder) {
    uint8_t buffer[2048];
    for (int i = 0; i < 64; ++i) {
        uint32_t ip = 0;
        int port = 0;
        int got = platform::recvDatagram(socket, buffer, sizeof buffer, ip, port);
        if (got < 0) return;
        FrameReader in(buffer, static_cast<size_t>(got));
        Datagram kind;
        uint32_t session = 0;
        if (!readDatagramHeader(in, kind, session)) continue;
        if (responder) {
            if (kind != Datagram::EnumRequest || !host_) continue;
            FrameWriter reply(Datagram::EnumReply, sessionId_);
            reply.text(name_).u16(static_cast<uint16_t>(tcpPort_));
            const std::vector<uint8_t>& bytes = reply.finish();
            platform::sendDatagram(socket, ip, port, bytes.data(), static_cast<int>(bytes.size()));
            continue;
        }
        uint32_t node = 0, from = 0, to = 0;
        if (kind != Datagram::Message || session != sessionId_ || !in.u32(node) || !in.u32(from) || !in.u32(to))
            continue;
        auto n = nodes_.find(node);
        // Only the registered address of a member may speak for it.
        if (n == nodes_.end() || n->second.ip != ip || n->second.udpPort != port || node == me_) continue;
        if (inboxBytes_ >= kMaxInbox) continue;
        if (host_) {
            auto sender = players_.find(from);
            if (sender == players_.end() || sender->second.node != node) continue;
            route(node, from, to, buffer + (got - in.left()), in.left(), true);
        } else if (node == hostNode_) {
            deliver(from, to, buffer + (got - in.left()), in.left());
        }
    }
}

// ---- sending ----

void SessionCore::queue(Connection& c, const std::vector<uint8_t>& bytes) {
    if (c.dead) return;
    if (c.outStart > 0 && c.outStart >= c.out.size() / 2) {
        c.out.erase(c.out.begin(), c.out.begin() + static_cast<std::ptrdiff_t>(c.outStart));
        c.outStart = 0;
    }
    c.out.insert(c.out.end(), bytes.begin(), bytes.end());
    if (c.pending() > kMaxOutbox) {
        c.dead = true; // far too slow to keep up with the session
        return;
    }
    flush(c);
}

void SessionCore::flush(Connection& c) {
    while (c.pending() && !c.dead) {
        int n = platform::sendSome(c.socket, c.out.data() + c.outStart, static_cast<int>(std::min<size_t>(c.pending(), 1 << 20)));
        if (n == platform::kWouldBlock) break;
        if (n <= 0) {
            c.dead = true;
            break;
        }
        c.outStart += static_cast<size_t>(n);
        c.lastSend = now();
    }
    if (!c.pending()) {
        c.out.clear();
        c.outStart = 0;
        changed_.notify_all();
    }
}

void SessionCore::broadcast(const std::vector<uint8_t>& bytes, uint32_t exceptNode) {
    for (auto& c : connections_)
        if (c->node && c->node != exceptNode) queue(*c, bytes);
}

Connection* SessionCore::connectionOf(uint32_t node) {
    if (!host_ && node == hostNode_) return hostConnection_;
    for (auto& c : connections_)
        if (c->node == node && !c->dead) return c.get();
    return nullptr;
}

void SessionCore::sendMessageTo(uint32_t node, uint32_t from, uint32_t to, const uint8_t* data, size_t size,
                                bool datagram) {
    if (datagram) {
        auto n = nodes_.find(node);
        if (n == nodes_.end()) return;
        FrameWriter out(Datagram::Message, sessionId_);
        out.u32(me_).u32(from).u32(to).bytes(data, size);
        const std::vector<uint8_t>& bytes = out.finish();
        platform::sendDatagram(udp_, n->second.ip, n->second.udpPort, bytes.data(), static_cast<int>(bytes.size()));
        return;
    }
    Connection* c = connectionOf(node);
    if (!c) return;
    FrameWriter out(Frame::Message);
    out.u32(from).u32(to).bytes(data, size);
    queue(*c, out.finish());
}

// The host passes a message on: to every other member with players when it
// is for all, else to the member that owns the addressed player.
void SessionCore::route(uint32_t fromNode, uint32_t from, uint32_t to, const uint8_t* data, size_t size,
                        bool datagram) {
    if (to == 0) {
        if (fromNode != me_) deliver(from, to, data, size);
        std::vector<uint32_t> targets;
        for (auto& [id, p] : players_)
            if (p.node != fromNode && p.node != me_ &&
                std::find(targets.begin(), targets.end(), p.node) == targets.end())
                targets.push_back(p.node);
        for (uint32_t node : targets) sendMessageTo(node, from, to, data, size, datagram);
        return;
    }
    auto target = players_.find(to);
    if (target == players_.end() || target->second.node == fromNode) return;
    if (target->second.node == me_)
        deliver(from, to, data, size);
    else
        sendMessageTo(target->second.node, from, to, data, size, datagram);
}

// ---- the program's inbox ----

bool SessionCore::hasLocalPlayers() const {
    for (auto& [id, p] : players_)
        if (p.node == me_) return true;
    return false;
}

// Player messages reach a program only while it has players of its own.
void SessionCore::deliver(uint32_t from, uint32_t to, const uint8_t* data, size_t size) {
    if (!hasLocalPlayers()) return;
    if (to != 0) {
        auto target = players_.find(to);
        if (target == players_.end() || target->second.node != me_) return;
    }
    SessionEvent event;
    event.kind = SessionEvent::Message;
    event.from = from;
    event.to = to;
    event.data.assign(data, data + size);
    push(std::move(event));
}

void SessionCore::push(SessionEvent event) {
    inboxBytes_ += event.data.size();
    inbox_.push_back(std::move(event));
}

} // namespace session
