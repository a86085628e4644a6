// UDP streams over loopback: datagrams collected by writes and sent whole,
// empty datagrams, receiving with nothing pending, the addresses a stream
// reports, and a send the socket layer refuses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "net/udp_stream.h"
#include "net_commands.h"
#include "support/program_harness.h"

namespace {

KrStream* stream(int handle) { return castHandle<KrStream>(handle); }

// Receives the next datagram, waiting up to a few seconds for it.
int receiveSoon(int udp) {
    UDPTimeouts(5000);
    int from = RecvUDPMsg(udp);
    UDPTimeouts(0);
    return from;
}

std::string readAll(int udp) {
    std::string text(stream(udp)->avail(), '\0');
    int n = stream(udp)->read(text.data(), static_cast<int>(text.size()));
    text.resize(n);
    return text;
}

} // namespace

TEST(UdpStreams, TwoWritesMakeOneDatagramAndAnEmptySendAnEmptyDatagram) {
    RunRecord r = runAsProgram([] {
        int a = CreateUDPStream(0);
        int b = CreateUDPStream(0);
        ASSERT_NE(a, 0);
        ASSERT_NE(b, 0);
        int portA = UDPStreamPort(a);
        int portB = UDPStreamPort(b);
        EXPECT_NE(portA, 0); // the port the system chose
        EXPECT_NE(portA, portB);
        EXPECT_EQ(UDPStreamIP(a), 0); // bound to any local address

        EXPECT_EQ(stream(a)->write("ping", 4), 4);
        EXPECT_EQ(stream(a)->write("-pong", 5), 5);
        SendUDPMsg(a, kLoopback, portB);
        SendUDPMsg(a, kLoopback, portB); // nothing written since: an empty datagram

        EXPECT_EQ(receiveSoon(b), kLoopback);
        EXPECT_EQ(UDPMsgIP(b), kLoopback);
        EXPECT_EQ(UDPMsgPort(b), portA);
        EXPECT_EQ(stream(b)->eof(), 0);
        EXPECT_EQ(stream(b)->avail(), 9);
        EXPECT_EQ(readAll(b), "ping-pong");
        EXPECT_EQ(stream(b)->eof(), 1);

        EXPECT_EQ(receiveSoon(b), kLoopback);
        EXPECT_EQ(UDPMsgPort(b), portA);
        EXPECT_EQ(stream(b)->avail(), 0);
        EXPECT_EQ(stream(b)->eof(), 1);
        char byte;
        EXPECT_EQ(stream(b)->read(&byte, 1), 0);
        CloseUDPStream(a);
        CloseUDPStream(b);
        CloseUDPStream(0);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(UdpStreams, NothingPendingKeepsThePreviousDatagramReadable) {
    RunRecord r = runAsProgram([] {
        int a = CreateUDPStream(0);
        int b = CreateUDPStream(0);
        // Before any datagram: nothing to read, the sender is the stream itself.
        EXPECT_EQ(stream(b)->eof(), 1);
        EXPECT_EQ(UDPMsgPort(b), UDPStreamPort(b));
        EXPECT_EQ(RecvUDPMsg(b), 0);

        stream(a)->write("abcdef", 6);
        SendUDPMsg(a, kLoopback, UDPStreamPort(b));
        EXPECT_EQ(receiveSoon(b), kLoopback);
        char two[2];
        EXPECT_EQ(stream(b)->read(two, 2), 2);
        EXPECT_EQ(RecvUDPMsg(b), 0);
        UDPTimeouts(50);
        EXPECT_EQ(RecvUDPMsg(b), 0);
        UDPTimeouts(0);
        EXPECT_EQ(readAll(b), "cdef");
        EXPECT_EQ(UDPMsgPort(b), UDPStreamPort(a));
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(UdpStreams, DatagramsKeepTheirBoundariesAndSize) {
    RunRecord r = runAsProgram([] {
        int a = CreateUDPStream(0);
        int b = CreateUDPStream(0);
        int portB = UDPStreamPort(b);
        std::string big(60000, '\0');
        for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i % 251);
        stream(a)->write(big.data(), static_cast<int>(big.size()));
        SendUDPMsg(a, kLoopback, portB);
        stream(a)->write("x", 1);
        SendUDPMsg(a, kLoopback, portB);
        EXPECT_EQ(receiveSoon(b), kLoopback);
        EXPECT_TRUE(readAll(b) == big);
        EXPECT_EQ(receiveSoon(b), kLoopback);
        EXPECT_EQ(readAll(b), "x");
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(UdpStreams, PortZeroSendsToTheStreamsOwnPort) {
    RunRecord r = runAsProgram([] {
        int a = CreateUDPStream(0);
        stream(a)->write("self", 4);
        SendUDPMsg(a, kLoopback, 0);
        EXPECT_EQ(castHandle<UDPStream>(a)->destination().port, UDPStreamPort(a));
        EXPECT_EQ(receiveSoon(a), kLoopback);
        EXPECT_EQ(UDPMsgPort(a), UDPStreamPort(a));
        EXPECT_EQ(readAll(a), "self");
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(UdpStreams, ARefusedSendFailsTheStreamAndKeepsTheBytes) {
    RunRecord r = runAsProgram([] {
        int a = CreateUDPStream(0);
        std::vector<char> tooBig(70000, 'x'); // more than one datagram can hold
        EXPECT_EQ(stream(a)->write(tooBig.data(), static_cast<int>(tooBig.size())), 70000);
        SendUDPMsg(a, kLoopback, 0);
        UDPStream* s = castHandle<UDPStream>(a);
        EXPECT_EQ(s->state(), -1);
        EXPECT_EQ(s->pendingBytes(), 70000);
        EXPECT_EQ(stream(a)->eof(), -1);
        EXPECT_EQ(stream(a)->write("y", 1), 0);
        EXPECT_EQ(RecvUDPMsg(a), 0);
        CloseUDPStream(a);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(UdpStreams, APortInUseCannotBeBoundTwice) {
    RunRecord r = runAsProgram([] {
        int a = CreateUDPStream(0);
        EXPECT_EQ(CreateUDPStream(UDPStreamPort(a)), 0);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(UdpHandles, CommandsCheckTheirHandles) {
    RunRecord r = runAsProgram([] { RecvUDPMsg(CreateTCPServer(0)); });
    EXPECT_EQ(r.error(), "Invalid UDP Stream handle");
    r = runAsProgram([] { SendUDPMsg(12345, kLoopback, 1); });
    EXPECT_EQ(r.error(), "Invalid UDP Stream handle");
}
