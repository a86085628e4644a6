// The stream commands' encodings over a stream whose bytes arrive in pieces
// of every small size: each decoder must give the same result however the
// bytes are cut, and bytes that end early give what arrived.
#include <gtest/gtest.h>

#include <string>

#include "lang/kr_string.h"
#include "support/piece_stream.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int Eof(int stream);
__attribute__((stdcall)) int ReadShort(int stream);
__attribute__((stdcall)) int ReadInt(int stream);
__attribute__((stdcall)) KrString* ReadString(int stream);
__attribute__((stdcall)) KrString* ReadLine(int stream);
}

namespace {

std::string take(KrString* s) {
    std::string text(krText(s), static_cast<size_t>(krLength(s)));
    release(s);
    return text;
}

PieceStream* over(const std::string& bytes, int piece) {
    return new PieceStream(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size(), piece);
}

} // namespace

TEST(StreamReads, DecodersGiveTheSameResultsWhateverThePieces) {
    const std::string bytes = std::string("ab\r\ncd\n\x05\0\0\0hello\x34\x12\x78\x56\x34\x12", 22) + "a\rb\nlast";
    for (int piece = 0; piece <= 5; ++piece) {
        RunRecord r = runAsProgram([&] {
            PieceStream* s = over(bytes, piece);
            int h = toHandle(s);
            EXPECT_EQ(take(ReadLine(h)), "ab");
            EXPECT_EQ(take(ReadLine(h)), "cd");
            EXPECT_EQ(take(ReadString(h)), "hello");
            EXPECT_EQ(ReadShort(h), 0x1234);
            EXPECT_EQ(ReadInt(h), 0x12345678);
            EXPECT_EQ(take(ReadLine(h)), "ab");
            EXPECT_EQ(take(ReadLine(h)), "last");
            EXPECT_EQ(Eof(h), 1);
            EXPECT_EQ(take(ReadLine(h)), "");
            s->release();
        });
        EXPECT_TRUE(r.finished) << "piece " << piece << ": " << r.error();
    }
}

TEST(StreamReads, BytesThatEndEarlyGiveWhatArrived) {
    RunRecord r = runAsProgram([] {
        // A length far beyond the body, a body cut short.
        PieceStream* s = over(std::string("\xff\xff\xff\x7fxyz", 7), 2);
        EXPECT_EQ(take(ReadString(s->handle())), "xyz");
        s->release();
        // A negative length reads as the empty string and takes no body.
        s = over(std::string("\xfe\xff\xff\xff" "ab", 6), 0);
        EXPECT_EQ(take(ReadString(s->handle())), "");
        EXPECT_EQ(ReadShort(s->handle()), 'a' | 'b' << 8);
        s->release();
        // Two bytes where an int belongs: the high bytes are 0.
        s = over("\x01\x02", 1);
        EXPECT_EQ(ReadInt(s->handle()), 0x0201);
        EXPECT_EQ(ReadInt(s->handle()), 0);
        s->release();
    });
    EXPECT_TRUE(r.finished) << r.error();
}
