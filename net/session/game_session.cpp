// Hosting and joining a session (with session enumeration by name over
// UDP), and the GameSession front of SessionCore.
#include "net/session/game_session.h"

#include "net/host_lookup.h"
#include "net/session/session_core.h"
#include "platform/clock.h"

namespace session {

SessionFinder::SessionFinder() {
    int port = 0;
    socket_ = platform::udpOpen(0, port);
}

SessionFinder::~SessionFinder() { platform::closeSocket(socket_); }

bool SessionFinder::ask(uint32_t ip) {
    if (socket_ == platform::kNoSocket) return false;
    FrameWriter request(Datagram::EnumRequest, 0);
    const std::vector<uint8_t>& bytes = request.finish();
    for (int i = 0; i < kEnumPorts; ++i)
        platform::sendDatagram(socket_, ip, kEnumPortFirst + i, bytes.data(), static_cast<int>(bytes.size()));
    return true;
}

std::vector<SessionListing> SessionFinder::collect() {
    std::vector<SessionListing> found;
    if (socket_ == platform::kNoSocket) return found;
    uint8_t buffer[1024];
    uint32_t from = 0;
    int fromPort = 0;
    int got;
    while ((got = platform::recvDatagram(socket_, buffer, sizeof buffer, from, fromPort)) >= 0) {
        FrameReader in(buffer, static_cast<size_t>(got));
        Datagram kind;
        uint32_t session = 0;
        std::string name;
        uint16_t tcpPort = 0;
        if (readDatagramHeader(in, kind, session) && kind == Datagram::EnumReply && in.text(name) && in.u16(tcpPort))
            found.push_back(SessionListing{name, from, tcpPort});
    }
    return found;
}

namespace {

// Asks every enumeration port at `ip` for its session and takes the first
// answer that carries exactly `name`. Requests are repeated twice in case a
// datagram is lost; the search gives up after a second.
bool findSession(const std::string& name, uint32_t ip, SessionListing& found) {
    SessionFinder finder;
    uint32_t start = platform::milliSecs();
    for (int rounds = 0; platform::milliSecs() - start < 1000;) {
        if (rounds < 3 && platform::milliSecs() - start >= static_cast<uint32_t>(rounds) * 300) {
            if (!finder.ask(ip)) return false;
            ++rounds;
        }
        platform::sleepMilliseconds(10);
        for (const SessionListing& s : finder.collect())
            if (s.name == name) {
                found = s;
                return true;
            }
    }
    return false;
}

} // namespace

GameSession::GameSession(std::unique_ptr<SessionCore> core) : core_(std::move(core)) {}

GameSession::~GameSession() { core_->leave(true); }

std::unique_ptr<GameSession> GameSession::host(const std::string& name) {
    auto core = std::make_unique<SessionCore>(name, true);
    if (!core->openSockets() || !core->openEnumResponder()) return nullptr;
    core->startThread();
    return std::unique_ptr<GameSession>(new GameSession(std::move(core)));
}

std::unique_ptr<GameSession> GameSession::join(const std::string& name, const std::string& address) {
    uint32_t ip = 0xFFFFFFFF; // no address: ask the local network
    if (!address.empty() && !resolveHost(address, ip)) return nullptr;
    SessionListing found;
    if (!findSession(name, ip, found)) return nullptr;
    return joinAt(name, found.ip, found.tcpPort);
}

std::unique_ptr<GameSession> GameSession::joinAt(const std::string& name, uint32_t ip, int tcpPort) {
    auto core = std::make_unique<SessionCore>(name, false);
    if (!core->openSockets()) return nullptr;
    platform::Socket s = platform::tcpConnect(ip, tcpPort, 3000);
    if (s == platform::kNoSocket) return nullptr;
    core->connectTo(s, ip);
    core->startThread();
    if (!core->awaitWelcome(kPeerTimeout)) return nullptr;
    return std::unique_ptr<GameSession>(new GameSession(std::move(core)));
}

bool GameSession::isHost() const { return core_->isHost(); }
uint32_t GameSession::nodeId() const { return core_->nodeId(); }
std::vector<PlayerInfo> GameSession::players() const { return core_->players(); }
uint32_t GameSession::createPlayer(const std::string& name) { return core_->createPlayer(name); }
bool GameSession::destroyPlayer(uint32_t id) { return core_->destroyPlayer(id); }

bool GameSession::send(uint32_t from, uint32_t to, const void* data, size_t size, bool guaranteed) {
    return core_->send(from, to, data, size, guaranteed);
}

bool GameSession::receive(SessionEvent& event) { return core_->receive(event); }
int GameSession::enumPort() const { return core_->enumPort(); }
void GameSession::vanish() { core_->leave(false); }

} // namespace session
