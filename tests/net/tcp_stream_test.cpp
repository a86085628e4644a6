// TCP streams and servers over loopback: a server and a client in one run,
// read time-outs, a peer that closes, accept without a pending connection,
// ownership of accepted streams and the handle checks.
#include <gtest/gtest.h>

#include <chrono>
#include <cstring>
#include <string>
#include <thread>

#include "net/tcp_stream.h"
#include "net_commands.h"
#include "support/program_harness.h"

namespace {

KrStream* stream(int handle) { return castHandle<KrStream>(handle); }

// A listening server on a port the system chose, a client connected to it
// and the server's end of the connection.
struct Connection {
    int server = 0;
    int port = 0;
    int client = 0;
    int accepted = 0;
};

Connection connectLoopback() {
    Connection c;
    c.server = CreateTCPServer(0);
    EXPECT_NE(c.server, 0);
    c.port = castHandle<TCPServer>(c.server)->localPort();
    EXPECT_NE(c.port, 0);
    c.client = OpenTCPStream(Text("127.0.0.1"), c.port, 0);
    EXPECT_NE(c.client, 0);
    TCPTimeouts(10000, 5000); // the handshake may still be on its way
    c.accepted = AcceptTCPStream(c.server);
    EXPECT_NE(c.accepted, 0);
    TCPTimeouts(10000, 0);
    return c;
}

} // namespace

TEST(TcpStreams, ServerAndClientExchangeBytesBothWays) {
    RunRecord r = runAsProgram([] {
        Connection c = connectLoopback();
        ASSERT_NE(c.accepted, 0);
        EXPECT_EQ(TCPStreamIP(c.accepted), kLoopback);
        EXPECT_EQ(TCPStreamIP(c.client), kLoopback);
        EXPECT_EQ(TCPStreamPort(c.client), c.port);
        int clientPort = TCPStreamPort(c.accepted);
        EXPECT_NE(clientPort, 0);
        EXPECT_NE(clientPort, c.port);
        EXPECT_EQ(castHandle<TCPStream>(c.accepted)->server(), castHandle<TCPServer>(c.server));
        EXPECT_EQ(castHandle<TCPStream>(c.client)->server(), nullptr);

        EXPECT_EQ(stream(c.client)->write("hello", 5), 5);
        char got[16] = {};
        EXPECT_EQ(stream(c.accepted)->read(got, 5), 5);
        EXPECT_STREQ(got, "hello");

        // A larger block than one receive delivers arrives whole.
        std::string big(200000, '\0');
        for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
        EXPECT_EQ(stream(c.accepted)->write(big.data(), 100000), 100000);
        EXPECT_EQ(stream(c.accepted)->write(big.data() + 100000, 100000), 100000);
        std::string back(big.size(), '\0');
        EXPECT_EQ(stream(c.client)->read(back.data(), static_cast<int>(back.size())), static_cast<int>(back.size()));
        EXPECT_TRUE(back == big);
        EXPECT_EQ(stream(c.client)->eof(), 0);
        EXPECT_EQ(stream(c.client)->avail(), 0);

        stream(c.client)->write("abc", 3);
        // Wait for the bytes to arrive, then they are available without blocking.
        char first;
        EXPECT_EQ(stream(c.accepted)->read(&first, 1), 1);
        EXPECT_EQ(first, 'a');
        EXPECT_EQ(stream(c.accepted)->avail(), 2);
        EXPECT_EQ(stream(c.accepted)->eof(), 0);
        CloseTCPStream(c.client);
        CloseTCPServer(c.server);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpStreams, ShortReadAfterTheTimeoutFailsTheStreamForGood) {
    RunRecord r = runAsProgram([] {
        Connection c = connectLoopback();
        ASSERT_NE(c.accepted, 0);
        TCPTimeouts(300, 0);
        stream(c.accepted)->write("xy", 2);
        char got[4] = {};
        EXPECT_EQ(stream(c.client)->read(got, 4), 2);
        EXPECT_EQ(std::string(got, 2), "xy");
        EXPECT_EQ(stream(c.client)->eof(), -1);
        // The state stays: later data is not read, writes do nothing.
        stream(c.accepted)->write("z", 1);
        EXPECT_EQ(stream(c.client)->read(got, 1), 0);
        EXPECT_EQ(stream(c.client)->write("q", 1), 0);
        EXPECT_EQ(stream(c.client)->eof(), -1);
        // Closing a failed stream (without lingering) is still clean.
        CloseTCPStream(c.client);
        CloseTCPServer(c.server);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpStreams, ReadTimeoutZeroFailsAReadWithNothingWaiting) {
    RunRecord r = runAsProgram([] {
        Connection c = connectLoopback();
        ASSERT_NE(c.accepted, 0);
        TCPTimeouts(0, 0);
        char byte;
        EXPECT_EQ(stream(c.client)->read(&byte, 1), 0);
        EXPECT_EQ(stream(c.client)->eof(), -1);
        // The other end is untouched by it.
        EXPECT_EQ(stream(c.accepted)->eof(), 0);
        CloseTCPServer(c.server);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpStreams, PeerCloseDeliversWhatArrivedThenEofIsOne) {
    RunRecord r = runAsProgram([] {
        Connection c = connectLoopback();
        ASSERT_NE(c.accepted, 0);
        stream(c.accepted)->write("end", 3);
        CloseTCPStream(c.accepted);
        char got[8] = {};
        EXPECT_EQ(stream(c.client)->eof(), 0); // bytes are still waiting
        EXPECT_EQ(stream(c.client)->read(got, 8), 3);
        EXPECT_EQ(std::string(got, 3), "end");
        EXPECT_EQ(stream(c.client)->eof(), 1);
        EXPECT_EQ(stream(c.client)->read(got, 1), 0);
        EXPECT_EQ(stream(c.client)->eof(), 1);

        // eof alone notices a peer that closed without sending anything.
        int second = OpenTCPStream(Text("127.0.0.1"), c.port, 0);
        ASSERT_NE(second, 0);
        TCPTimeouts(10000, 5000);
        int other = AcceptTCPStream(c.server);
        ASSERT_NE(other, 0);
        CloseTCPStream(second);
        TCPTimeouts(5000, 0);
        char byte;
        EXPECT_EQ(stream(other)->read(&byte, 1), 0);
        EXPECT_EQ(stream(other)->eof(), 1);
        CloseTCPServer(c.server);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpStreams, EofNoticesAClosedPeerWithoutReading) {
    RunRecord r = runAsProgram([] {
        Connection c = connectLoopback();
        ASSERT_NE(c.accepted, 0);
        CloseTCPStream(c.client);
        // The close travels asynchronously; eof reports 0 until it arrives.
        int eof = 0;
        for (int i = 0; i < 500 && eof == 0; ++i) {
            eof = stream(c.accepted)->eof();
            if (eof == 0) std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        EXPECT_EQ(eof, 1);
        CloseTCPServer(c.server);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpServers, AcceptWithoutAPendingConnectionReturnsZeroAndStaysUsable) {
    RunRecord r = runAsProgram([] {
        int server = CreateTCPServer(0);
        ASSERT_NE(server, 0);
        EXPECT_EQ(AcceptTCPStream(server), 0);
        EXPECT_EQ(AcceptTCPStream(server), 0);
        EXPECT_EQ(castHandle<TCPServer>(server)->state(), 0);
        // A positive accept time-out waits for a connection that comes later.
        int port = castHandle<TCPServer>(server)->localPort();
        int client = OpenTCPStream(Text("127.0.0.1"), port, 0);
        ASSERT_NE(client, 0);
        TCPTimeouts(10000, 5000);
        EXPECT_NE(AcceptTCPStream(server), 0);
        CloseTCPServer(server);
        CloseTCPStream(client);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpServers, ReleasingTheServerReleasesTheStreamsItAccepted) {
    RunRecord r = runAsProgram([] {
        Connection c = connectLoopback();
        ASSERT_NE(c.accepted, 0);
        int secondClient = OpenTCPStream(Text("127.0.0.1"), c.port, 0);
        TCPTimeouts(10000, 5000);
        int closedFirst = AcceptTCPStream(c.server);
        ASSERT_NE(closedFirst, 0);
        TCPServer* server = castHandle<TCPServer>(c.server);
        EXPECT_EQ(server->accepted().size(), 2u);
        // A stream closed by the program leaves its server's set.
        CloseTCPStream(closedFirst);
        EXPECT_EQ(server->accepted().size(), 1u);
        EXPECT_EQ(liveObject(closedFirst), nullptr);

        CloseTCPServer(c.server);
        EXPECT_EQ(liveObject(c.server), nullptr);
        EXPECT_EQ(liveObject(c.accepted), nullptr);
        // The client streams were not the server's.
        EXPECT_NE(liveObject(c.client), nullptr);
        // The server's end went away, so the client sees the close.
        TCPTimeouts(5000, 0);
        char byte;
        EXPECT_EQ(stream(c.client)->read(&byte, 1), 0);
        EXPECT_EQ(stream(c.client)->eof(), 1);
        CloseTCPStream(c.client);
        CloseTCPStream(secondClient);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpServers, SocketsLeftOpenAreReleasedWhenTheRunEnds) {
    int client = 0, server = 0, accepted = 0;
    RunRecord r = runAsProgram([&] {
        Connection c = connectLoopback();
        client = c.client;
        server = c.server;
        accepted = c.accepted;
    });
    EXPECT_TRUE(r.finished) << r.error();
    ASSERT_NE(accepted, 0);
    EXPECT_EQ(liveObject(client), nullptr);
    EXPECT_EQ(liveObject(server), nullptr);
    EXPECT_EQ(liveObject(accepted), nullptr);
}

TEST(TcpStreams, FailuresToConnectOrListenReturnZero) {
    RunRecord r = runAsProgram([] {
        int server = CreateTCPServer(0);
        ASSERT_NE(server, 0);
        int port = castHandle<TCPServer>(server)->localPort();
        // The port is taken while the server listens.
        EXPECT_EQ(CreateTCPServer(port), 0);
        CloseTCPServer(server);
        // Nobody listens there any more.
        EXPECT_EQ(OpenTCPStream(Text("127.0.0.1"), port, 0), 0);
        // A name the resolver cannot take.
        EXPECT_EQ(OpenTCPStream(Text("local\0host", 10), port, 0), 0);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpStreams, ConnectsFromTheLocalPortAsked) {
    RunRecord r = runAsProgram([] {
        int server = CreateTCPServer(0);
        ASSERT_NE(server, 0);
        int port = castHandle<TCPServer>(server)->localPort();
        // A local port that is free: one a listening socket just gave back.
        int probe = CreateTCPServer(0);
        int localPort = castHandle<TCPServer>(probe)->localPort();
        CloseTCPServer(probe);
        int client = OpenTCPStream(Text("127.0.0.1"), port, localPort);
        ASSERT_NE(client, 0);
        TCPTimeouts(10000, 5000);
        int accepted = AcceptTCPStream(server);
        ASSERT_NE(accepted, 0);
        EXPECT_EQ(TCPStreamPort(accepted), localPort);
        CloseTCPServer(server);
        CloseTCPStream(client);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpHandles, CommandsCheckTheirHandles) {
    RunRecord r = runAsProgram([] {
        CloseTCPStream(0);
        CloseTCPServer(0);
        int udp = CreateUDPStream(0);
        ASSERT_NE(udp, 0);
        CloseTCPStream(udp);
    });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Invalid TCP Stream handle");

    int server = 0;
    r = runAsProgram([&] {
        server = CreateTCPServer(0);
        TCPStreamIP(server);
    });
    EXPECT_EQ(r.error(), "Invalid TCP Stream handle");
    r = runAsProgram([] { AcceptTCPStream(CreateUDPStream(0)); });
    EXPECT_EQ(r.error(), "Invalid TCP Server handle");
    r = runAsProgram([] {
        Connection c = connectLoopback();
        // A TCP stream is a stream for the stream commands, but not a server.
        EXPECT_NE(castHandle<KrStream>(c.client), nullptr);
        CloseTCPServer(c.client);
    });
    EXPECT_EQ(r.error(), "Invalid TCP Server handle");
}
