// SessionCore: the state and service thread behind a GameSession. Its
// fields are guarded by one lock; the thread releases it only while it
// waits on the sockets or connects to a new host.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "net/session/game_session.h"
#include "net/session/wire.h"
#include "platform/clock.h"
#include "platform/session_socket.h"

namespace session {

inline uint32_t now() { return platform::milliSecs(); }

// Bounds that keep a hostile or stalled peer from making us allocate
// without limit.
constexpr int kMaxConnections = 250;
constexpr size_t kMaxInbox = 16u << 20;      // queued for the program: beyond it, stop reading
constexpr size_t kMaxOutbox = 32u << 20;     // queued for one peer: beyond it, drop the peer
constexpr uint32_t kMaxIntroduction = 64u << 10; // frame limit before a peer introduced itself
constexpr size_t kSenderWaits = 4u << 20;    // the program's sends wait for room beyond this
constexpr uint32_t kPingInterval = 1000;     // ms of silence before a keep-alive
constexpr uint32_t kPeerTimeout = 5000;      // ms of silence that mean a vanished peer
constexpr uint32_t kRejoinGrace = 5000;      // ms the new host waits for old members

struct Node {
    uint32_t id;
    uint32_t ip;
    uint16_t tcpPort;
    uint16_t udpPort;
};

struct Player {
    uint32_t node;
    std::string name;
};

struct Connection {
    platform::Socket socket = platform::kNoSocket;
    uint32_t ip = 0;
    uint32_t node = 0; // 0 until the peer introduced itself
    std::vector<uint8_t> in;
    std::vector<uint8_t> out;
    size_t outStart = 0;
    uint32_t opened = 0, lastRecv = 0, lastSend = 0;
    bool dead = false;
    size_t pending() const { return out.size() - outStart; }
};

class SessionCore {
public:
    SessionCore(const std::string& name, bool hosting);
    ~SessionCore();

    bool openSockets();
    bool openEnumResponder();
    void startThread();
    bool awaitWelcome(uint32_t timeoutMs);
    void connectTo(platform::Socket socket, uint32_t ip); // a joiner's first connection
    void leave(bool sayGoodbye);

    bool isHost() const;
    uint32_t nodeId() const;
    std::vector<PlayerInfo> players() const;
    uint32_t createPlayer(const std::string& name);
    bool destroyPlayer(uint32_t id);
    bool send(uint32_t from, uint32_t to, const void* data, size_t size, bool guaranteed);
    bool receive(SessionEvent& event);
    int enumPort() const;

private:
    // The wire protocol's fuzz target drives the service loop directly.
    friend struct SessionCoreProbe;
    using Lock = std::unique_lock<std::mutex>;

    void run();
    void serviceOnce(Lock& lock);
    bool dropOldestStranger();
    void readConnection(Connection& c);
    void parseFrames(Connection& c);
    void handleFrame(Connection& c, const uint8_t* body, size_t size);
    void handleUnknownPeer(Connection& c, Frame kind, FrameReader& in);
    void handleFromMember(Connection& c, Frame kind, FrameReader& in);
    void handleFromHost(Connection& c, Frame kind, FrameReader& in);
    void readDatagrams(platform::Socket socket, bool responder);
    void timers(uint32_t now);
    void reap();

    void queue(Connection& c, const std::vector<uint8_t>& bytes);
    void flush(Connection& c);
    void broadcast(const std::vector<uint8_t>& bytes, uint32_t exceptNode);
    Connection* connectionOf(uint32_t node);
    void refuse(Connection& c, const char* reason);
    std::vector<uint8_t> welcomeFor(uint32_t node);
    std::vector<uint8_t> nodeRecord(Frame kind, const Node& n);
    void applyWelcome(FrameReader& in, Connection& c);

    void addPlayer(uint32_t id, uint32_t node, const std::string& name, uint32_t request);
    void removePlayer(uint32_t id);
    void removeNode(uint32_t node);
    void route(uint32_t fromNode, uint32_t from, uint32_t to, const uint8_t* data, size_t size, bool datagram);
    void sendMessageTo(uint32_t node, uint32_t from, uint32_t to, const uint8_t* data, size_t size, bool datagram);
    void deliver(uint32_t from, uint32_t to, const uint8_t* data, size_t size);
    bool hasLocalPlayers() const;
    void push(SessionEvent event);

    void hostLost();
    void tryNextCandidate(Lock& lock);
    void becomeHost();
    void lose();

    mutable std::mutex mutex_;
    std::condition_variable changed_;
    std::thread thread_;
    bool stopping_ = false;

    std::string name_;
    uint32_t sessionId_ = 0;
    bool host_;
    bool welcomed_ = false;
    bool refused_ = false;
    bool lost_ = false;
    uint32_t me_ = 0, hostNode_ = 0;
    uint32_t hostIp_ = 0;                      // the address the host was reached at
    uint32_t highestNode_ = 0, highestPlayer_ = 0, nextRequest_ = 0;
    std::map<uint32_t, Node> nodes_;
    std::map<uint32_t, Player> players_;
    std::map<uint32_t, uint32_t> expected_;    // new host: node -> rejoin deadline
    std::map<uint32_t, uint32_t> created_;     // request -> player id
    std::deque<SessionEvent> inbox_;
    size_t inboxBytes_ = 0;

    platform::Socket listener_ = platform::kNoSocket, udp_ = platform::kNoSocket, enum_ = platform::kNoSocket;
    int tcpPort_ = 0, udpPort_ = 0, enumPort_ = 0;
    std::vector<std::unique_ptr<Connection>> connections_;
    Connection* hostConnection_ = nullptr;

    // Migration: the candidates still to try and the deadline of the current try.
    bool migrating_ = false;
    std::vector<uint32_t> candidates_;
    uint32_t lostHost_ = 0;
    uint32_t welcomeDeadline_ = 0;
};

} // namespace session
