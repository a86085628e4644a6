// GameSession: one program's membership of a multiplayer game session on the
// runtime's own session service.
//
// A session has a name and lives at its host: the host listens on TCP (for
// members) and UDP (for session enumeration and unguaranteed messages),
// gives every member program (node) and every player a 32-bit id, and
// relays messages between the members, which each hold one TCP connection to
// it. Guaranteed messages travel over TCP; unguaranteed ones up to
// kMaxDatagramMessage bytes over UDP, larger ones over TCP. Keep-alives find
// a vanished peer within a few seconds. When the host leaves or is lost, the
// longest-joined remaining node becomes host and the others reconnect to it,
// so the session goes on.
//
// A service thread does all socket work; the program's thread calls the
// public operations, which take the session's lock briefly. The wire
// protocol is in docs/session_protocol.md.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace session {

struct PlayerInfo {
    uint32_t id;
    uint32_t node;
    std::string name;
    bool local;
};

struct SessionEvent {
    enum Kind { Message, PlayerCreated, PlayerDestroyed, BecameHost, Lost };
    Kind kind = Message;
    uint32_t from = 0; // Message: sending player; Created/Destroyed: the player
    uint32_t to = 0;   // Message: addressed player, 0 for all
    std::string name;  // PlayerCreated
    std::vector<uint8_t> data;
};

class SessionCore;

// A session that answered enumeration: its name and where to connect.
struct SessionListing {
    std::string name;
    uint32_t ip;
    int tcpPort;
};

// Session enumeration without waiting: ask() sends the requests, collect()
// takes the answers that have arrived since.
class SessionFinder {
public:
    SessionFinder();
    ~SessionFinder();
    SessionFinder(const SessionFinder&) = delete;
    SessionFinder& operator=(const SessionFinder&) = delete;

    // Asks every enumeration port at `ip` (255.255.255.255: the local network).
    bool ask(uint32_t ip);
    std::vector<SessionListing> collect();

private:
    intptr_t socket_;
};

class GameSession {
public:
    // Hosts a new session of that name; null when no socket can be had.
    static std::unique_ptr<GameSession> host(const std::string& name);
    // Joins the first session of exactly that name that answers at the
    // address (dotted or a host name; empty asks the local network); null
    // when none answers or it refuses.
    static std::unique_ptr<GameSession> join(const std::string& name, const std::string& address);
    // Joins the session of that name that listens at ip:tcpPort.
    static std::unique_ptr<GameSession> joinAt(const std::string& name, uint32_t ip, int tcpPort);

    // Leaves the session: peers learn of it at once.
    ~GameSession();

    bool isHost() const;
    uint32_t nodeId() const;
    std::vector<PlayerInfo> players() const;

    // A new local player's id, or 0 when the session cannot give one.
    uint32_t createPlayer(const std::string& name);
    // Destroys a local player; false for any other id.
    bool destroyPlayer(uint32_t id);
    // Sends from a local player to a player or to all (0); false when `from`
    // is not local, `to` is unknown, the message is too long or the session
    // is lost.
    bool send(uint32_t from, uint32_t to, const void* data, size_t size, bool guaranteed);
    // The next event for this program, false when none is waiting.
    bool receive(SessionEvent& event);

    // The UDP port on which this node's host side answers enumeration, 0
    // when it does not (for tests).
    int enumPort() const;
    // Ends the membership without a word to the peers, as a killed program
    // would (for tests).
    void vanish();

private:
    explicit GameSession(std::unique_ptr<SessionCore> core);
    std::unique_ptr<SessionCore> core_;
};

} // namespace session
