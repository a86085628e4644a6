// The stream commands, which work on every kind of stream: numbers, strings
// and lines in their byte encodings, end-of-stream and waiting-byte tests,
// and copying from one stream to another.
//
// Encodings: numbers are little-endian (byte 1, short 2, int and float 4
// bytes); a string is its 4-byte length and then its bytes; a line is its
// bytes ended by CR LF. A numeric read starts from zero and fills the low
// bytes, so a short read leaves the missing high bytes 0.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "lang/kr_string.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"
#include "system/kr_stream.h"

namespace {

KrStream* streamOf(int handle) { return castHandle<KrStream>(handle); }

// Reads until `count` bytes arrived or a read gives nothing: a pipe hands
// out what is waiting, so one read may deliver part of a number. The count
// that arrived.
int readFully(KrStream* s, uint8_t* to, int count) {
    int got = 0;
    while (got < count) {
        int n = s->read(to + got, count - got);
        if (n <= 0) break;
        got += n;
    }
    return got;
}

uint32_t readNumber(int stream, int bytes) {
    uint8_t raw[4] = {};
    readFully(streamOf(stream), raw, bytes);
    return raw[0] | raw[1] << 8 | raw[2] << 16 | uint32_t(raw[3]) << 24;
}

void writeNumber(int stream, uint32_t value, int bytes) {
    const uint8_t raw[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16), uint8_t(value >> 24)};
    streamOf(stream)->write(raw, bytes);
}

// A string body is read in pieces of at most this size, so that a length
// from a damaged file or a hostile peer costs no more memory than the bytes
// that really arrive.
constexpr int kStringChunk = 65536;

constexpr int kMaxCopyBuffer = 1048576;

} // namespace

extern "C" {

__attribute__((stdcall)) int Eof(int stream) { return streamOf(stream)->eof(); }

__attribute__((stdcall)) int ReadAvail(int stream) { return streamOf(stream)->avail(); }

__attribute__((stdcall)) int ReadByte(int stream) { return static_cast<int>(readNumber(stream, 1)); }

__attribute__((stdcall)) int ReadShort(int stream) { return static_cast<int>(readNumber(stream, 2)); }

__attribute__((stdcall)) int ReadInt(int stream) { return static_cast<int>(readNumber(stream, 4)); }

__attribute__((stdcall)) float ReadFloat(int stream) {
    uint32_t bits = readNumber(stream, 4);
    float value;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// The 4-byte length, then the body. A length that cannot be read, or one of 0
// or less, gives the empty string; a body cut short gives the bytes that
// arrived.
__attribute__((stdcall)) KrString* ReadString(int stream) {
    KrStream* s = streamOf(stream);
    uint8_t raw[4] = {};
    if (readFully(s, raw, 4) == 0) return krNewEmptyString();
    int32_t length = static_cast<int32_t>(raw[0] | raw[1] << 8 | raw[2] << 16 | uint32_t(raw[3]) << 24);
    if (length <= 0) return krNewEmptyString();

    std::string body;
    while (static_cast<int32_t>(body.size()) < length) {
        int want = length - static_cast<int>(body.size());
        if (want > kStringChunk) want = kStringChunk;
        size_t done = body.size();
        body.resize(done + static_cast<size_t>(want));
        int got = s->read(&body[done], want);
        body.resize(done + static_cast<size_t>(got > 0 ? got : 0));
        if (got <= 0) break;
    }
    return krNewString(body.data(), static_cast<int>(body.size()));
}

// Up to the next LF, which is consumed; every CR is dropped wherever it
// stands. Bytes are read one at a time so that nothing after the line is
// taken from the stream.
__attribute__((stdcall)) KrString* ReadLine(int stream) {
    KrStream* s = streamOf(stream);
    char stack[256];
    std::string heap;
    int used = 0;
    for (;;) {
        char c;
        if (s->read(&c, 1) != 1 || c == '\n') break;
        if (c == '\r') continue;
        if (used == static_cast<int>(sizeof stack)) {
            heap.append(stack, sizeof stack);
            used = 0;
        }
        stack[used++] = c;
    }
    if (heap.empty()) return krNewString(stack, used);
    heap.append(stack, static_cast<size_t>(used));
    return krNewString(heap.data(), static_cast<int>(heap.size()));
}

__attribute__((stdcall)) void WriteByte(int stream, int value) { writeNumber(stream, value, 1); }

__attribute__((stdcall)) void WriteShort(int stream, int value) { writeNumber(stream, value, 2); }

__attribute__((stdcall)) void WriteInt(int stream, int value) { writeNumber(stream, value, 4); }

__attribute__((stdcall)) void WriteFloat(int stream, float value) {
    uint32_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    writeNumber(stream, bits, 4);
}

__attribute__((stdcall)) void WriteString(int stream, KrString* text) {
    KrStream* s = streamOf(stream);
    writeNumber(stream, static_cast<uint32_t>(krLength(text)), 4);
    s->write(krText(text), krLength(text));
}

__attribute__((stdcall)) void WriteLine(int stream, KrString* text) {
    KrStream* s = streamOf(stream);
    s->write(krText(text), krLength(text));
    s->write("\r\n", 2);
}

// Copies until the source ends, a read comes back short, or the destination
// takes fewer bytes than it was given (a closed connection, a full disk). The
// destination's own end-of-stream test plays no part: a file opened for
// writing only reports its end from the start.
__attribute__((stdcall)) void CopyStream(int srcStream, int destStream, int bufferSize) {
    KrStream* src = streamOf(srcStream);
    KrStream* dest = streamOf(destStream);
    if (bufferSize < 1 || bufferSize > kMaxCopyBuffer) runtimeError("Illegal CopyStream buffer size");
    char* buffer = static_cast<char*>(std::malloc(static_cast<size_t>(bufferSize)));
    if (!buffer) runtimeError("Out of memory");
    while (!src->eof()) {
        int n = src->read(buffer, bufferSize);
        if (n <= 0) break;
        if (dest->write(buffer, n) < n || n < bufferSize) break;
    }
    std::free(buffer);
}

}

KR_COMMAND(Runtime, "%Eof%stream", Eof);
KR_COMMAND(Runtime, "%ReadAvail%stream", ReadAvail);
KR_COMMAND(Runtime, "%ReadByte%stream", ReadByte);
KR_COMMAND(Runtime, "%ReadShort%stream", ReadShort);
KR_COMMAND(Runtime, "%ReadInt%stream", ReadInt);
KR_COMMAND(Runtime, "#ReadFloat%stream", ReadFloat);
KR_COMMAND(Runtime, "$ReadString%stream", ReadString);
KR_COMMAND(Runtime, "$ReadLine%stream", ReadLine);
KR_COMMAND(Runtime, "WriteByte%stream%byte", WriteByte);
KR_COMMAND(Runtime, "WriteShort%stream%short", WriteShort);
KR_COMMAND(Runtime, "WriteInt%stream%int", WriteInt);
KR_COMMAND(Runtime, "WriteFloat%stream#float", WriteFloat);
KR_COMMAND(Runtime, "WriteString%stream$string", WriteString);
KR_COMMAND(Runtime, "WriteLine%stream$string", WriteLine);
KR_COMMAND(Runtime, "CopyStream%src_stream%dest_stream%buffer_size=16384", CopyStream);
