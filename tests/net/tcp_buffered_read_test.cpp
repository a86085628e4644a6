// Reads of every kind mixed on one TCP stream while the peer's bytes arrive
// in pieces: the stream's own read buffer must hand out each byte once, in
// order, and keep ReadAvail and Eof truthful.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "lang/kr_string.h"
#include "net/tcp_stream.h"
#include "net_commands.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int Eof(int stream);
__attribute__((stdcall)) int ReadAvail(int stream);
__attribute__((stdcall)) int ReadByte(int stream);
__attribute__((stdcall)) int ReadShort(int stream);
__attribute__((stdcall)) int ReadInt(int stream);
__attribute__((stdcall)) KrString* ReadString(int stream);
__attribute__((stdcall)) KrString* ReadLine(int stream);
__attribute__((stdcall)) int CreateBank(int size);
__attribute__((stdcall)) int PeekByte(int bank, int offset);
}

namespace {

std::string take(KrString* s) {
    std::string text(krText(s), static_cast<size_t>(krLength(s)));
    release(s);
    return text;
}

// The peer's side: sends one piece at a time from the same thread (loopback
// takes each whole without a reader), then closes.
struct Pieces {
    int client;
    std::vector<std::string> pieces;
    size_t sent = 0;
    void next() {
        if (sent == pieces.size()) {
            CloseTCPStream(client);
            return;
        }
        const std::string& piece = pieces[sent++];
        EXPECT_EQ(castHandle<TCPStream>(client)->write(piece.data(), static_cast<int>(piece.size())),
                  static_cast<int>(piece.size()));
    }
};

// ReadAvail once the bytes sent so far have all arrived.
int settledAvail(int stream, int expected) {
    int avail = ReadAvail(stream);
    for (int i = 0; i < 500 && avail < expected; ++i) {
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
        avail = ReadAvail(stream);
    }
    return avail;
}

} // namespace

TEST(TcpBufferedReads, MixedReadsOverPiecesGiveEveryByteOnceInOrder) {
    RunRecord r = runAsProgram([] {
        int server = CreateTCPServer(0);
        int client = OpenTCPStream(Text("127.0.0.1"), castHandle<TCPServer>(server)->localPort(), 0);
        ASSERT_NE(client, 0);
        TCPTimeouts(10000, 5000);
        int reader = AcceptTCPStream(server);
        ASSERT_NE(reader, 0);
        std::string block(100000, '\0');
        for (size_t i = 0; i < block.size(); ++i) block[i] = static_cast<char>(i * 7 + i / 251);
        Pieces writer{client,
                       {"ab\r\nc", std::string("d\n\x41\x34\x12\x04\x03\x02\x01", 9),
                        std::string("\x03\0\0\0xyz0123456789hi\n", 20) + block, "ta\ril"}};
        writer.next();
        EXPECT_EQ(take(ReadLine(reader)), "ab");
        // The rest of the piece, whether still in the socket or already taken.
        EXPECT_EQ(settledAvail(reader, 1), 1);
        EXPECT_EQ(Eof(reader), 0);

        writer.next();
        EXPECT_EQ(take(ReadLine(reader)), "cd");
        EXPECT_EQ(ReadByte(reader), 0x41);
        EXPECT_EQ(ReadShort(reader), 0x1234);
        EXPECT_EQ(ReadInt(reader), 0x01020304);
        EXPECT_EQ(ReadAvail(reader), 0);

        writer.next();
        EXPECT_EQ(take(ReadString(reader)), "xyz");
        int bank = CreateBank(100000);
        EXPECT_EQ(ReadBytes(bank, reader, 0, 10), 10);
        EXPECT_EQ(PeekByte(bank, 0), '0');
        EXPECT_EQ(PeekByte(bank, 9), '9');
        EXPECT_EQ(take(ReadLine(reader)), "hi");
        // A read larger than the buffer, part of it already buffered.
        EXPECT_EQ(ReadBytes(bank, reader, 0, 100000), 100000);
        int wrong = 0;
        for (int i = 0; i < 100000; ++i) wrong += PeekByte(bank, i) != static_cast<uint8_t>(block[i]);
        EXPECT_EQ(wrong, 0);

        writer.next();
        writer.next(); // and the close
        EXPECT_EQ(take(ReadLine(reader)), "tail");
        // The line ended with the peer's close: the stream reports its end,
        // and later reads give nothing.
        EXPECT_EQ(Eof(reader), 1);
        EXPECT_EQ(take(ReadLine(reader)), "");
        EXPECT_EQ(ReadInt(reader), 0);
        CloseTCPServer(server);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(TcpBufferedReads, BufferedBytesKeepTheStreamOpenAndCountAsAvailable) {
    RunRecord r = runAsProgram([] {
        int server = CreateTCPServer(0);
        int client = OpenTCPStream(Text("127.0.0.1"), castHandle<TCPServer>(server)->localPort(), 0);
        TCPTimeouts(10000, 5000);
        int reader = AcceptTCPStream(server);
        ASSERT_NE(reader, 0);
        castHandle<TCPStream>(client)->write("1\n23456", 7);
        CloseTCPStream(client);
        // The whole piece comes in with the first line; the rest waits in
        // the stream after the peer has gone.
        EXPECT_EQ(take(ReadLine(reader)), "1");
        EXPECT_EQ(settledAvail(reader, 5), 5);
        EXPECT_EQ(Eof(reader), 0);
        EXPECT_EQ(ReadInt(reader), '2' | '3' << 8 | '4' << 16 | '5' << 24);
        EXPECT_EQ(ReadAvail(reader), 1);
        // Asking for more than is left gives what is left and finds the close.
        EXPECT_EQ(ReadShort(reader), '6');
        EXPECT_EQ(Eof(reader), 1);
        CloseTCPServer(server);
    });
    EXPECT_TRUE(r.finished) << r.error();
}
