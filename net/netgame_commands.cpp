// The "Win32DPNetGame" core module and the multiplayer commands: one game
// session at a time on the runtime's session service (net/session), its
// players as this program knows them, and the current message.
//
// A message travels as a NetMessage: from player id, to player id (0 for
// all), one type byte, then the message bytes. Types 100 (a player joined),
// 101 (a player left), 102 (this program became host) and 200 (the session
// was lost) are made by RecvNetMsg itself.
#include <cstring>
#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "lang/kr_string.h"
#include "net/netgame_dialog.h"
#include "net/session/game_session.h"
#include "platform/session_socket.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

using session::GameSession;
using session::SessionEvent;

enum NetMsgKind { kJoined = 100, kLeft = 101, kBecameHost = 102, kLost = 200 };
enum StartResult { kNotStarted = 0, kJoinedGame = 1, kHostedGame = 2 };
constexpr size_t kHeader = 9; // from, to, type

struct NetPlayer {
    uint32_t id;
    std::string name;
    bool remote;
};

struct NetGame {
    std::unique_ptr<GameSession> session;
    bool host = false;
    std::vector<NetPlayer> players;
    std::deque<uint32_t> arrivals; // remote players not yet reported
    int type = 0, from = -1, to = 0;
    std::vector<uint8_t> data;
    std::vector<uint8_t> recvBuffer, sendBuffer;

    NetPlayer* find(uint32_t id) {
        for (auto& p : players)
            if (p.id == id) return &p;
        return nullptr;
    }
    void forget(uint32_t id) {
        for (size_t i = 0; i < players.size(); ++i)
            if (players[i].id == id) {
                players.erase(players.begin() + static_cast<std::ptrdiff_t>(i));
                return;
            }
    }
    // Every player of the session not known yet becomes known as remote and
    // as an arrival to report.
    void enumeratePlayers() {
        for (const session::PlayerInfo& p : session->players())
            if (!find(p.id)) {
                players.push_back(NetPlayer{p.id, p.name, true});
                arrivals.push_back(p.id);
            }
    }
    void stop() {
        session.reset();
        players.clear();
        arrivals.clear();
        host = false;
    }
};

NetGame game;

// Grows a buffer to one and a half times what is needed when it is too small.
void fit(std::vector<uint8_t>& buffer, size_t needed) {
    if (buffer.size() < needed) buffer.resize(needed + needed / 2);
}

std::string textOf(KrString* s) { return std::string(krText(s), krLength(s)); }

void requireNoGame() {
    if (game.session) runtimeError("Multiplayer game already started");
}

void requireGame() {
    if (!game.session) runtimeError("Multiplayer game not started");
}

int startGame(std::unique_ptr<GameSession> session, int result) {
    game.players.clear();
    game.arrivals.clear();
    if (!session) return kNotStarted;
    game.session = std::move(session);
    game.enumeratePlayers();
    game.host = result == kHostedGame;
    return result;
}

uint32_t readId(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | static_cast<uint32_t>(p[1]) << 8 | static_cast<uint32_t>(p[2]) << 16 |
           static_cast<uint32_t>(p[3]) << 24;
}

void writeId(uint8_t* p, uint32_t v) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(v >> (8 * i));
}

class Win32DPNetGame : public KrModule {
public:
    Win32DPNetGame() { setup("Win32DPNetGame"); }

    bool startup() override {
        if (!platform::socketsStart()) return false;
        game.recvBuffer.assign(1024, 0);
        game.sendBuffer.assign(1024, 0);
        return true;
    }

    void shutdown() override {
        game.stop();
        game.recvBuffer = {};
        game.sendBuffer = {};
        game.data = {};
        platform::socketsStop();
    }
};

Win32DPNetGame netGameModule;

} // namespace

extern "C" {

__attribute__((stdcall)) int StartNetGame() {
    requireNoGame();
    std::unique_ptr<GameSession> session;
    int result = runNetGameDialog(session);
    return startGame(std::move(session), result);
}

__attribute__((stdcall)) int HostNetGame(KrString* name) {
    requireNoGame();
    return startGame(GameSession::host(textOf(name)), kHostedGame);
}

__attribute__((stdcall)) int JoinNetGame(KrString* name, KrString* address) {
    requireNoGame();
    return startGame(GameSession::join(textOf(name), textOf(address)), kJoinedGame);
}

__attribute__((stdcall)) void StopNetGame() { game.stop(); }

__attribute__((stdcall)) int CreateNetPlayer(KrString* name) {
    requireGame();
    uint32_t id = game.session->createPlayer(textOf(name));
    if (id == 0) return 0;
    game.players.push_back(NetPlayer{id, textOf(name), false});
    // Alone in the list: the players that were there before become known now.
    if (game.players.size() == 1) game.enumeratePlayers();
    return static_cast<int>(id);
}

__attribute__((stdcall)) void DeleteNetPlayer(int player) {
    requireGame();
    auto id = static_cast<uint32_t>(player);
    if (!game.find(id)) return;
    game.session->destroyPlayer(id);
    game.forget(id);
}

__attribute__((stdcall)) KrString* NetPlayerName(int player) {
    if (player == 0) return krNewString("<all>");
    NetPlayer* p = game.find(static_cast<uint32_t>(player));
    return p ? krNewString(p->name.data(), static_cast<int>(p->name.size())) : krNewString("<unknown>");
}

__attribute__((stdcall)) int NetPlayerLocal(int player) {
    NetPlayer* p = game.find(static_cast<uint32_t>(player));
    return p && !p->remote ? 1 : 0;
}

__attribute__((stdcall)) int SendNetMsg(int type, KrString* msg, int from, int to, int reliable) {
    requireGame();
    size_t n = static_cast<size_t>(krLength(msg));
    size_t needed = kHeader + n;
    fit(game.sendBuffer, needed);
    uint8_t* out = game.sendBuffer.data();
    writeId(out, static_cast<uint32_t>(from));
    writeId(out + 4, static_cast<uint32_t>(to));
    out[8] = static_cast<uint8_t>(type);
    if (n) std::memcpy(out + kHeader, krText(msg), n);
    return game.session->send(static_cast<uint32_t>(from), static_cast<uint32_t>(to), out, needed, reliable != 0) ? 1
                                                                                                               : 0;
}

__attribute__((stdcall)) int RecvNetMsg() {
    requireGame();
    game.type = 0;
    game.from = -1;
    game.to = 0;
    game.data.clear();
    for (;;) {
        if (game.type != 0) return 1;
        if (!game.arrivals.empty()) {
            game.from = static_cast<int>(game.arrivals.front());
            game.arrivals.pop_front();
            game.type = kJoined;
            return 1;
        }
        SessionEvent event;
        if (!game.session->receive(event)) return 0;
        switch (event.kind) {
        case SessionEvent::Message: {
            // Shorter than a NetMessage header: not a message of ours.
            if (event.data.size() < kHeader) break;
            fit(game.recvBuffer, event.data.size());
            std::memcpy(game.recvBuffer.data(), event.data.data(), event.data.size());
            const uint8_t* in = game.recvBuffer.data();
            uint32_t from = readId(in);
            NetPlayer* sender = game.find(from);
            if (sender && !sender->remote) break; // our own players' words
            game.data.assign(in + kHeader, in + event.data.size());
            game.from = static_cast<int>(from);
            game.to = static_cast<int>(readId(in + 4));
            game.type = static_cast<int8_t>(in[8]);
            break;
        }
        case SessionEvent::PlayerCreated:
            if (!game.find(event.from)) {
                game.players.push_back(NetPlayer{event.from, event.name, true});
                game.arrivals.push_back(event.from);
            }
            break;
        case SessionEvent::PlayerDestroyed:
            if (game.find(event.from)) {
                game.forget(event.from);
                game.from = static_cast<int>(event.from);
                game.type = kLeft;
            }
            break;
        case SessionEvent::Lost: game.type = kLost; return 1;
        case SessionEvent::BecameHost:
            if (!game.host) {
                game.host = true;
                game.type = kBecameHost;
            }
            break;
        }
    }
}

__attribute__((stdcall)) int NetMsgType() { return game.type; }
__attribute__((stdcall)) int NetMsgFrom() { return game.from; }
__attribute__((stdcall)) int NetMsgTo() { return game.to; }

// The data up to its first zero byte.
__attribute__((stdcall)) KrString* NetMsgData() {
    size_t n = 0;
    while (n < game.data.size() && game.data[n] != 0) ++n;
    return krNewString(reinterpret_cast<const char*>(game.data.data()), static_cast<int>(n));
}

}

KR_COMMAND(Runtime, "%StartNetGame", StartNetGame);
KR_COMMAND(Runtime, "%HostNetGame$game_name", HostNetGame);
KR_COMMAND(Runtime, "%JoinNetGame$game_name$ip_address", JoinNetGame);
KR_COMMAND(Runtime, "StopNetGame", StopNetGame);
KR_COMMAND(Runtime, "%CreateNetPlayer$name", CreateNetPlayer);
KR_COMMAND(Runtime, "DeleteNetPlayer%player", DeleteNetPlayer);
KR_COMMAND(Runtime, "$NetPlayerName%player", NetPlayerName);
KR_COMMAND(Runtime, "%NetPlayerLocal%player", NetPlayerLocal);
KR_COMMAND(Runtime, "%SendNetMsg%type$msg%from_player%to_player=0%reliable=1", SendNetMsg);
KR_COMMAND(Runtime, "%RecvNetMsg", RecvNetMsg);
KR_COMMAND(Runtime, "%NetMsgType", NetMsgType);
KR_COMMAND(Runtime, "%NetMsgFrom", NetMsgFrom);
KR_COMMAND(Runtime, "%NetMsgTo", NetMsgTo);
KR_COMMAND(Runtime, "$NetMsgData", NetMsgData);
