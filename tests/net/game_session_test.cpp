// The session service with several members in one process over loopback:
// joining by name, the roster, routing of guaranteed and unguaranteed
// messages, departures, host changes after a host leaves or vanishes, and
// peers that break the protocol.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>

#include "net/session/game_session.h"
#include "net/session/wire.h"
#include "platform/clock.h"
#include "platform/session_socket.h"

using session::GameSession;
using session::SessionEvent;

namespace {

struct GameSessionTest : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(platform::socketsStart()); }
    void TearDown() override { platform::socketsStop(); }

    // Names unique to this run, so that sessions of tests running beside
    // ours on the same machine are never taken for ours.
    static std::string uniqueName(const char* base) {
        return std::string(base) + "-" + std::to_string(platform::milliSecs()) + "-" +
               std::to_string(reinterpret_cast<uintptr_t>(&base) & 0xFFFF);
    }

    // The next event of one kind within `ms`; events of other kinds before it
    // are kept in `skipped`.
    static bool waitFor(GameSession& s, SessionEvent::Kind kind, SessionEvent& out, int ms = 8000,
                        std::vector<SessionEvent>* skipped = nullptr) {
        uint32_t start = platform::milliSecs();
        while (platform::milliSecs() - start < static_cast<uint32_t>(ms)) {
            SessionEvent e;
            if (s.receive(e)) {
                if (e.kind == kind) {
                    out = std::move(e);
                    return true;
                }
                if (skipped) skipped->push_back(std::move(e));
                continue;
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(2));
        }
        return false;
    }

    static std::string text(const SessionEvent& e) { return std::string(e.data.begin(), e.data.end()); }
};

TEST_F(GameSessionTest, JoinByNameRosterAndRouting) {
    std::string name = uniqueName("route");
    auto host = GameSession::host(name);
    ASSERT_TRUE(host);
    EXPECT_TRUE(host->isHost());
    EXPECT_FALSE(GameSession::join(name + "x", "127.0.0.1")) << "a name that no session has";
    auto a = GameSession::join(name, "127.0.0.1");
    auto b = GameSession::join(name, "127.0.0.1");
    ASSERT_TRUE(a && b);
    EXPECT_FALSE(a->isHost());

    uint32_t h1 = host->createPlayer("hosty");
    uint32_t a1 = a->createPlayer("alice");
    uint32_t b1 = b->createPlayer("bob");
    ASSERT_NE(h1, 0u);
    ASSERT_NE(a1, 0u);
    ASSERT_NE(b1, 0u);
    EXPECT_NE(a1, b1);
    SessionEvent e;
    ASSERT_TRUE(waitFor(*a, SessionEvent::PlayerCreated, e));
    EXPECT_EQ(e.from, h1);
    EXPECT_EQ(e.name, "hosty");
    ASSERT_TRUE(waitFor(*a, SessionEvent::PlayerCreated, e));
    EXPECT_EQ(e.from, b1);
    EXPECT_EQ(e.name, "bob");

    // To all: everyone but the sender's own program.
    ASSERT_TRUE(a->send(a1, 0, "hi all", 6, true));
    ASSERT_TRUE(waitFor(*b, SessionEvent::Message, e));
    EXPECT_EQ(text(e), "hi all");
    EXPECT_EQ(e.from, a1);
    EXPECT_EQ(e.to, 0u);
    ASSERT_TRUE(waitFor(*host, SessionEvent::Message, e));
    EXPECT_EQ(text(e), "hi all");
    EXPECT_FALSE(waitFor(*a, SessionEvent::Message, e, 200)) << "the sender's program heard itself";

    // To one player, relayed by the host; unguaranteed over UDP and, when
    // too large for a datagram, over TCP; empty messages are legal.
    ASSERT_TRUE(b->send(b1, a1, "psst", 4, false));
    ASSERT_TRUE(waitFor(*a, SessionEvent::Message, e));
    EXPECT_EQ(text(e), "psst");
    EXPECT_EQ(e.to, a1);
    std::string big(5000, 'z');
    ASSERT_TRUE(b->send(b1, a1, big.data(), big.size(), false));
    ASSERT_TRUE(waitFor(*a, SessionEvent::Message, e));
    EXPECT_EQ(e.data.size(), big.size());
    ASSERT_TRUE(host->send(h1, b1, "", 0, true));
    ASSERT_TRUE(waitFor(*b, SessionEvent::Message, e));
    EXPECT_TRUE(e.data.empty());
    EXPECT_FALSE(waitFor(*host, SessionEvent::Message, e, 200)) << "a message for bob reached the host";

    // Senders must be local, receivers known.
    EXPECT_FALSE(a->send(b1, 0, "x", 1, true));
    EXPECT_FALSE(a->send(a1, 0x7FFFFFF0, "x", 1, true));
    EXPECT_FALSE(a->destroyPlayer(b1));

    // A player destroyed and a program that leaves are departures for all.
    ASSERT_TRUE(a->destroyPlayer(a1));
    ASSERT_TRUE(waitFor(*b, SessionEvent::PlayerDestroyed, e));
    EXPECT_EQ(e.from, a1);
    ASSERT_TRUE(waitFor(*host, SessionEvent::PlayerDestroyed, e));
    EXPECT_EQ(e.from, a1);
    b.reset();
    ASSERT_TRUE(waitFor(*host, SessionEvent::PlayerDestroyed, e));
    EXPECT_EQ(e.from, b1);
}

// The host goes (politely or not): the longest-joined member becomes host,
// the others come back to it, and the session goes on.
void hostChange(bool politely) {
    std::string name = GameSessionTest::uniqueName(politely ? "leave" : "vanish");
    auto host = GameSession::host(name);
    ASSERT_TRUE(host);
    auto a = GameSession::join(name, "127.0.0.1");
    auto b = GameSession::join(name, "127.0.0.1");
    ASSERT_TRUE(a && b);
    uint32_t h1 = host->createPlayer("h");
    uint32_t a1 = a->createPlayer("a");
    uint32_t b1 = b->createPlayer("b");
    ASSERT_TRUE(h1 && a1 && b1);
    SessionEvent e;
    ASSERT_TRUE(GameSessionTest::waitFor(*b, SessionEvent::PlayerCreated, e));

    uint32_t start = platform::milliSecs();
    if (politely)
        host.reset();
    else
        host->vanish();
    std::vector<SessionEvent> before;
    ASSERT_TRUE(GameSessionTest::waitFor(*a, SessionEvent::BecameHost, e, 10000, &before));
    bool hostPlayerGone = false;
    for (auto& x : before) hostPlayerGone |= x.kind == SessionEvent::PlayerDestroyed && x.from == h1;
    EXPECT_TRUE(hostPlayerGone) << "the old host's player was not reported gone";
    EXPECT_TRUE(a->isHost());
    EXPECT_FALSE(b->isHost());
    ASSERT_TRUE(GameSessionTest::waitFor(*b, SessionEvent::PlayerDestroyed, e, 10000));
    EXPECT_EQ(e.from, h1);
    // Polite departures need no time-out; a vanished host is noticed when its
    // connections close.
    EXPECT_LT(platform::milliSecs() - start, 6000u);

    ASSERT_TRUE(b->send(b1, a1, "still here", 10, true));
    ASSERT_TRUE(GameSessionTest::waitFor(*a, SessionEvent::Message, e));
    EXPECT_EQ(GameSessionTest::text(e), "still here");
    ASSERT_TRUE(a->send(a1, 0, "me too", 6, false));
    ASSERT_TRUE(GameSessionTest::waitFor(*b, SessionEvent::Message, e));
    EXPECT_EQ(GameSessionTest::text(e), "me too");
    // New players get ids that the old host never gave.
    uint32_t b2 = b->createPlayer("b2");
    EXPECT_GT(b2, b1);
    // And newcomers find the session under its name at the new host.
    auto c = GameSession::join(name, "127.0.0.1");
    ASSERT_TRUE(c);
    EXPECT_EQ(c->players().size(), 3u);
}

TEST_F(GameSessionTest, HostLeavesAndTheLongestJoinedTakesOver) { hostChange(true); }
TEST_F(GameSessionTest, HostVanishesAndTheLongestJoinedTakesOver) { hostChange(false); }

TEST_F(GameSessionTest, LastMemberLeftBecomesHost) {
    std::string name = uniqueName("alone");
    auto host = GameSession::host(name);
    auto a = GameSession::join(name, "127.0.0.1");
    ASSERT_TRUE(host && a);
    host->vanish();
    SessionEvent e;
    ASSERT_TRUE(waitFor(*a, SessionEvent::BecameHost, e, 10000));
}

// A host's TCP port, from its enumeration answer (0 when it does not answer).
int tcpPortOf(GameSession& host, const std::string& name) {
    int port = 0;
    platform::Socket udp = platform::udpOpen(0, port);
    session::FrameWriter ask(session::Datagram::EnumRequest, 0);
    const auto& bytes = ask.finish();
    platform::sendDatagram(udp, 0x7F000001, host.enumPort(), bytes.data(), static_cast<int>(bytes.size()));
    bool readable = false;
    platform::waitSockets(&udp, 1, &readable, nullptr, 0, nullptr, 3000);
    uint8_t reply[512];
    uint32_t ip = 0;
    int from = 0;
    int got = platform::recvDatagram(udp, reply, sizeof reply, ip, from);
    platform::closeSocket(udp);
    if (got <= 0) return 0;
    session::FrameReader in(reply, static_cast<size_t>(got));
    session::Datagram kind;
    uint32_t id = 0;
    std::string answer;
    uint16_t tcp = 0;
    if (!session::readDatagramHeader(in, kind, id) || !in.text(answer) || !in.u16(tcp) || answer != name) return 0;
    return tcp;
}

platform::Socket rawConnection(GameSession& host, const std::string& name) {
    return platform::tcpConnect(0x7F000001, tcpPortOf(host, name), 3000);
}

// Reads until the peer closes; the bytes it sent first are returned.
bool closedByPeer(platform::Socket s, std::vector<uint8_t>& said, int ms) {
    uint32_t start = platform::milliSecs();
    while (platform::milliSecs() - start < static_cast<uint32_t>(ms)) {
        bool readable = false;
        platform::waitSockets(&s, 1, &readable, nullptr, 0, nullptr, 50);
        if (!readable) continue;
        uint8_t buffer[4096];
        int got = platform::recvSome(s, buffer, sizeof buffer);
        if (got == 0 || got == platform::kFailed) return true;
        if (got > 0) said.insert(said.end(), buffer, buffer + got);
    }
    return false;
}

TEST_F(GameSessionTest, PeersThatBreakTheProtocolAreDropped) {
    std::string name = uniqueName("hostile");
    auto host = GameSession::host(name);
    ASSERT_TRUE(host);
    std::vector<uint8_t> said;

    // A length far beyond any frame: dropped before anything is allocated.
    platform::Socket s = rawConnection(*host, name);
    ASSERT_NE(s, platform::kNoSocket);
    const uint8_t huge[] = {0xFF, 0xFF, 0xFF, 0x7F, 1, 2, 3};
    platform::sendSome(s, huge, sizeof huge);
    EXPECT_TRUE(closedByPeer(s, said, 3000));
    platform::closeSocket(s);

    // Garbage that frames correctly but is no introduction.
    s = rawConnection(*host, name);
    const uint8_t junk[] = {3, 0, 0, 0, 11, 0xAA, 0xBB};
    platform::sendSome(s, junk, sizeof junk);
    EXPECT_TRUE(closedByPeer(s, said, 3000));
    platform::closeSocket(s);

    // Another protocol version: a refusal that says ours, then the close.
    s = rawConnection(*host, name);
    session::FrameWriter hello(session::Frame::Hello);
    hello.u32(session::kMagic).u16(session::kVersion + 1).text(name).u16(1).u16(1);
    const auto& bytes = hello.finish();
    platform::sendSome(s, bytes.data(), static_cast<int>(bytes.size()));
    said.clear();
    EXPECT_TRUE(closedByPeer(s, said, 3000));
    ASSERT_GE(said.size(), 7u);
    EXPECT_EQ(said[4], static_cast<uint8_t>(session::Frame::Refuse));
    EXPECT_EQ(said[5] | said[6] << 8, session::kVersion);
    platform::closeSocket(s);

    // A connection that never speaks, and a member that falls silent after
    // its welcome (sending no keep-alives), are let go after the limit.
    platform::Socket stranger = rawConnection(*host, name);
    platform::Socket member = rawConnection(*host, name);
    session::FrameWriter introduce(session::Frame::Hello);
    introduce.u32(session::kMagic).u16(session::kVersion).text(name).u16(1).u16(1);
    const auto& intro = introduce.finish();
    platform::sendSome(member, intro.data(), static_cast<int>(intro.size()));
    uint32_t start = platform::milliSecs();
    said.clear();
    EXPECT_TRUE(closedByPeer(member, said, 9000));
    ASSERT_GE(said.size(), 5u);
    EXPECT_EQ(said[4], static_cast<uint8_t>(session::Frame::Welcome));
    EXPECT_TRUE(closedByPeer(stranger, said, 9000));
    EXPECT_GE(platform::milliSecs() - start, 4000u);
    EXPECT_LT(platform::milliSecs() - start, 9000u);
    platform::closeSocket(stranger);
    platform::closeSocket(member);

    // A flood of connections that never speak does not keep a member out.
    std::vector<platform::Socket> flood;
    int port = tcpPortOf(*host, name);
    ASSERT_NE(port, 0);
    for (int i = 0; i < 300; ++i) {
        platform::Socket f = platform::tcpConnect(0x7F000001, port, 3000);
        if (f != platform::kNoSocket) flood.push_back(f);
    }
    EXPECT_GT(flood.size(), 250u);

    // The host is none the worse.
    auto a = GameSession::join(name, "127.0.0.1");
    ASSERT_TRUE(a);
    EXPECT_NE(a->createPlayer("after"), 0u);
    for (platform::Socket f : flood) platform::closeSocket(f);
}

} // namespace
