// Stream commands against streams that files cannot imitate: destinations
// that take fewer bytes than offered, sources that deliver in pieces or
// announce huge strings; CopyStream's buffer limits; the handle checks of
// streams, files and directory listings.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "lang/kr_string.h"
#include "support/program_harness.h"
#include "system/kr_dir.h"
#include "system/kr_stream.h"

extern "C" {
__attribute__((stdcall)) void CopyStream(int src, int dest, int bufferSize);
__attribute__((stdcall)) KrString* ReadString(int stream);
__attribute__((stdcall)) int Eof(int stream);
__attribute__((stdcall)) int FilePos(int file);
__attribute__((stdcall)) int SeekFile(int file, int pos);
__attribute__((stdcall)) void CloseFile(int file);
__attribute__((stdcall)) int MoreFiles(int dir);
__attribute__((stdcall)) KrString* NextFile(int dir);
__attribute__((stdcall)) void CloseDir(int dir);
}

namespace {

// A stream over bytes in memory. Reads deliver at most `piece` bytes at a
// time; writes accept at most `room` bytes in all; eof can be forced on.
class MemoryStream : public KrStream {
public:
    std::string in, out;
    int piece = 1 << 30;
    int room = 1 << 30;
    bool alwaysEof = false;
    int largestRead = 0;
    int reads = 0;

    // Lives on the test's stack rather than by its references.
    ~MemoryStream() override { dropReferences(); }

    int read(void* buffer, int count) override {
        ++reads;
        largestRead = std::max(largestRead, count);
        int n = std::min<int>({count, piece, static_cast<int>(in.size())});
        std::memcpy(buffer, in.data(), n);
        in.erase(0, n);
        return n;
    }
    int write(const void* buffer, int count) override {
        int n = std::min(count, room);
        room -= n;
        out.append(static_cast<const char*>(buffer), n);
        return n;
    }
    int avail() override { return static_cast<int>(in.size()); }
    int eof() override { return alwaysEof || in.empty(); }
};

std::string pattern(int size) {
    std::string s(size, '\0');
    for (int i = 0; i < size; ++i) s[i] = static_cast<char>(i * 13 + i / 256);
    return s;
}

std::string textOf(KrString* s) {
    std::string text(s->text(), s->length());
    s->release();
    return text;
}

} // namespace

TEST(CopyStream, BufferSizeLimits) {
    for (int size : {0, -1, 1048577}) {
        MemoryStream src, dest;
        src.in = "abc";
        RunRecord r = runAsProgram([&] { CopyStream(toHandle(&src), toHandle(&dest), size); });
        EXPECT_EQ(r.error(), "Illegal CopyStream buffer size") << "size " << size;
        EXPECT_EQ(src.reads, 0) << "size " << size;
    }
    for (int size : {1, 1048576}) {
        MemoryStream src, dest;
        src.in = pattern(3000);
        RunRecord r = runAsProgram([&] { CopyStream(toHandle(&src), toHandle(&dest), size); });
        EXPECT_TRUE(r.finished) << r.error();
        EXPECT_EQ(dest.out, pattern(3000)) << "size " << size;
    }
}

// A destination that takes fewer bytes than it was given (a closed
// connection) ends the copy; so does a short read from the source.
TEST(CopyStream, StopsOnShortWriteOrShortRead) {
    MemoryStream src, dest;
    src.in = pattern(100000);
    dest.room = 20000;
    RunRecord r = runAsProgram([&] { CopyStream(toHandle(&src), toHandle(&dest), 16384); });
    EXPECT_TRUE(r.finished) << r.error();
    EXPECT_EQ(dest.out.size(), 20000u);
    EXPECT_EQ(src.reads, 2) << "the copy went on after the destination was full";

    MemoryStream pieces, sink;
    pieces.in = pattern(10000);
    pieces.piece = 1000;
    r = runAsProgram([&] { CopyStream(toHandle(&pieces), toHandle(&sink), 4096); });
    EXPECT_EQ(sink.out, pattern(1000));
    EXPECT_EQ(pieces.reads, 1);
}

// A length prefix far beyond what arrives costs reads of bounded size and
// gives the bytes that came, also when they come in pieces.
TEST(ReadString, LengthsThatLie) {
    MemoryStream s;
    const int32_t huge = 0x7FFFFFF0;
    s.in.assign(reinterpret_cast<const char*>(&huge), 4);
    s.in += pattern(200000);
    s.piece = 7000;
    std::string got;
    RunRecord r = runAsProgram([&] { got = textOf(ReadString(toHandle(&s))); });
    EXPECT_TRUE(r.finished) << r.error();
    EXPECT_EQ(got, pattern(200000));
    EXPECT_LE(s.largestRead, 65536);

    const int32_t negative = -1;
    MemoryStream n;
    n.in.assign(reinterpret_cast<const char*>(&negative), 4);
    n.in += "rest";
    r = runAsProgram([&] { got = textOf(ReadString(toHandle(&n))); });
    EXPECT_EQ(got, "");
    EXPECT_EQ(n.in, "rest");

    MemoryStream two;
    two.in = "\x02";
    r = runAsProgram([&] { got = textOf(ReadString(toHandle(&two))); });
    EXPECT_EQ(got, "") << "a length cut short reads as 2 with nothing after it";
}

TEST(StreamHandles, ChecksNameTheClass) {
    MemoryStream stream;
    KrDir* dir = krOpenDir("no such directory here");
    struct Case {
        const char* what;
        std::function<void()> call;
        const char* error;
    } cases[] = {
        {"Eof(0)", [] { Eof(0); }, "Invalid Stream handle"},
        {"Eof(listing)", [&] { Eof(toHandle(dir)); }, "Invalid Stream handle"},
        {"FilePos(stream)", [&] { FilePos(toHandle(&stream)); }, "Invalid File handle"},
        {"SeekFile(stream)", [&] { SeekFile(toHandle(&stream), 0); }, "Invalid File handle"},
        {"CloseFile(stream)", [&] { CloseFile(toHandle(&stream)); }, "Invalid File handle"},
        {"MoreFiles(stream)", [&] { MoreFiles(toHandle(&stream)); }, "Invalid Directory handle"},
        {"NextFile(0)", [] { NextFile(0); }, "Invalid Directory handle"},
        {"CloseDir(stream)", [&] { CloseDir(toHandle(&stream)); }, "Invalid Directory handle"},
    };
    for (const Case& c : cases) {
        RunRecord r = runAsProgram(c.call);
        EXPECT_EQ(r.error(), c.error) << c.what;
    }
    EXPECT_EQ(stream.refs(), 1);
    RunRecord r = runAsProgram([&] {
        CloseFile(0);
        CloseDir(0);
        CloseDir(toHandle(dir));
    });
    EXPECT_TRUE(r.finished) << r.error();
}
