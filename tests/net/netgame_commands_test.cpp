// The multiplayer commands of one program against a peer session in the
// same process: arrivals reported before later messages, the signed type
// byte, data cut at a zero byte, messages of type 0 never reported, the type
// byte a program sends, departures, the program becoming host when the host
// vanishes, and the started/not-started errors.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "lang/kr_string.h"
#include "net/session/game_session.h"
#include "platform/clock.h"
#include "platform/session_socket.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int HostNetGame(KrString* name);
__attribute__((stdcall)) int JoinNetGame(KrString* name, KrString* address);
__attribute__((stdcall)) void StopNetGame();
__attribute__((stdcall)) int CreateNetPlayer(KrString* name);
__attribute__((stdcall)) KrString* NetPlayerName(int player);
__attribute__((stdcall)) int NetPlayerLocal(int player);
__attribute__((stdcall)) int SendNetMsg(int type, KrString* msg, int from, int to, int reliable);
__attribute__((stdcall)) int RecvNetMsg();
__attribute__((stdcall)) int NetMsgType();
__attribute__((stdcall)) int NetMsgFrom();
__attribute__((stdcall)) int NetMsgTo();
__attribute__((stdcall)) KrString* NetMsgData();
}

using session::GameSession;
using session::SessionEvent;

namespace {

struct Text {
    explicit Text(const std::string& s) : s(krNewString(s.data(), static_cast<int>(s.size()))) {}
    ~Text() { s->release(); }
    operator KrString*() const { return s; }
    KrString* s;
};

std::string taken(KrString* s) {
    std::string text(krText(s), krLength(s));
    s->release();
    return text;
}

// The next message within `ms`, as RecvNetMsg makes it current.
bool nextMessage(int ms = 8000) {
    uint32_t start = platform::milliSecs();
    while (platform::milliSecs() - start < static_cast<uint32_t>(ms)) {
        if (RecvNetMsg()) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return false;
}

// A NetMessage as a peer program sends it.
void peerSends(GameSession& peer, uint32_t from, uint32_t to, int type, const std::string& data) {
    std::string payload(9, '\0');
    for (int i = 0; i < 4; ++i) {
        payload[i] = static_cast<char>(from >> (8 * i));
        payload[4 + i] = static_cast<char>(to >> (8 * i));
    }
    payload[8] = static_cast<char>(type);
    payload += data;
    ASSERT_TRUE(peer.send(from, to, payload.data(), payload.size(), true));
}

std::string uniqueName(const char* base) { return base + std::to_string(platform::milliSecs()); }

TEST(NetGameCommands, OneProgramAgainstAPeer) {
    ASSERT_TRUE(platform::socketsStart());
    std::string name = uniqueName("cmds");
    auto peer = GameSession::host(name);
    ASSERT_TRUE(peer);
    uint32_t p1 = peer->createPlayer("peer");
    RunRecord run = runAsProgram([&] {
        ASSERT_EQ(JoinNetGame(Text(name), Text("127.0.0.1")), 1);
        int me = CreateNetPlayer(Text("me"));
        ASSERT_NE(me, 0);
        EXPECT_EQ(NetPlayerLocal(me), 1);
        EXPECT_EQ(NetPlayerLocal(static_cast<int>(p1)), 0);
        EXPECT_EQ(taken(NetPlayerName(0)), "<all>");

        // The player that was there first arrives before the message it sends.
        peerSends(*peer, p1, 0, 200, std::string("a\0b", 3));
        ASSERT_TRUE(nextMessage());
        EXPECT_EQ(NetMsgType(), 100);
        EXPECT_EQ(NetMsgFrom(), static_cast<int>(p1));
        EXPECT_EQ(taken(NetPlayerName(static_cast<int>(p1))), "peer");
        ASSERT_TRUE(nextMessage());
        EXPECT_EQ(NetMsgType(), -56);
        EXPECT_EQ(NetMsgTo(), 0);
        EXPECT_EQ(taken(NetMsgData()), "a");

        // Type 0 is never reported; the next message is.
        peerSends(*peer, p1, static_cast<uint32_t>(me), 0, "zero");
        peerSends(*peer, p1, static_cast<uint32_t>(me), 1, "one");
        ASSERT_TRUE(nextMessage());
        EXPECT_EQ(NetMsgType(), 1);
        EXPECT_EQ(NetMsgTo(), me);
        EXPECT_EQ(taken(NetMsgData()), "one");

        // What this program sends: the low byte of the type, an empty text.
        EXPECT_EQ(SendNetMsg(0x1234, Text(""), me, static_cast<int>(p1), 1), 1);
        EXPECT_EQ(SendNetMsg(7, Text("x"), static_cast<int>(p1), 0, 1), 0) << "sent as another program's player";
        SessionEvent e;
        uint32_t start = platform::milliSecs();
        while (!(peer->receive(e) && e.kind == SessionEvent::Message) && platform::milliSecs() - start < 8000)
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        ASSERT_EQ(e.data.size(), 9u);
        EXPECT_EQ(e.data[8], 0x34);

        // A departure, then the host vanishing: its player leaves and this
        // program becomes host.
        uint32_t p2 = peer->createPlayer("second");
        ASSERT_TRUE(nextMessage());
        EXPECT_EQ(NetMsgType(), 100);
        EXPECT_EQ(NetMsgFrom(), static_cast<int>(p2));
        peer->destroyPlayer(p2);
        ASSERT_TRUE(nextMessage());
        EXPECT_EQ(NetMsgType(), 101);
        EXPECT_EQ(NetMsgFrom(), static_cast<int>(p2));
        EXPECT_EQ(taken(NetPlayerName(static_cast<int>(p2))), "<unknown>");
        peer->vanish();
        ASSERT_TRUE(nextMessage());
        EXPECT_EQ(NetMsgType(), 101);
        EXPECT_EQ(NetMsgFrom(), static_cast<int>(p1));
        ASSERT_TRUE(nextMessage());
        EXPECT_EQ(NetMsgType(), 102);
        EXPECT_FALSE(RecvNetMsg());
        StopNetGame();
    });
    EXPECT_TRUE(run.finished) << run.error();
    peer.reset();
    platform::socketsStop();
}

TEST(NetGameCommands, StartedAndNotStartedAreMisuse) {
    RunRecord notStarted = runAsProgram([] { RecvNetMsg(); });
    EXPECT_EQ(notStarted.error(), "Multiplayer game not started");
    RunRecord twice = runAsProgram([] {
        std::string name = uniqueName("twice");
        ASSERT_EQ(HostNetGame(Text(name)), 2);
        HostNetGame(Text(name));
    });
    EXPECT_EQ(twice.error(), "Multiplayer game already started");
}

} // namespace
