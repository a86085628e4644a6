// The string commands: repetition, slicing, searching and replacing, case,
// trimming and padding, character codes and hexadecimal and binary texts.
//
// Positions are 1-based at the command level and counted in bytes; strings
// may hold any byte, NUL included. Arguments are borrowed; every result is a
// new reference (an empty result is the shared empty string, Chr returns a
// shared one-character string).
#include <cstdint>
#include <cstring>

#include "lang/kr_string.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

// A new string of `length` bytes to be filled in; the shared empty string when
// the length is 0. Lengths that do not fit a string are out of memory.
KrString* allocResult(int64_t length) {
    if (length <= 0) return krNewEmptyString();
    if (length > INT32_MAX) runtimeError("Out of memory");
    return krAllocString(static_cast<int>(length));
}

char* bytesOf(KrString* s) { return const_cast<char*>(s->text()); }

// 0-based position of `find` in `s` at or after `start`, or -1. An empty
// `find` matches at `start`.
int findBytes(const char* s, int length, const char* find, int findLength, int start) {
    if (start < 0) start = 0;
    if (findLength == 0) return start <= length ? start : -1;
    int last = length - findLength;
    for (int i = start; i <= last; ++i) {
        const void* hit = std::memchr(s + i, find[0], static_cast<size_t>(last - i + 1));
        if (!hit) return -1;
        i = static_cast<int>(static_cast<const char*>(hit) - s);
        if (std::memcmp(s + i, find, static_cast<size_t>(findLength)) == 0) return i;
    }
    return -1;
}

KrString* slice(KrString* s, int from, int count) {
    if (count <= 0) return krNewEmptyString();
    return krNewString(krText(s) + from, count);
}

// A copy of `s` with every byte mapped through `change`.
template <typename Change>
KrString* mapBytes(KrString* s, Change change) {
    int length = krLength(s);
    KrString* result = allocResult(length);
    const char* from = krText(s);
    char* to = bytesOf(result);
    for (int i = 0; i < length; ++i) to[i] = change(from[i]);
    return result;
}

// `size` bytes: `s` placed at the left or the right, padded with spaces or
// cut on the opposite side (LSet keeps the first bytes, RSet the last).
KrString* pad(KrString* s, int size, bool right) {
    if (size <= 0) return krNewEmptyString();
    int length = krLength(s);
    KrString* result = allocResult(size);
    char* to = bytesOf(result);
    int kept = length < size ? length : size;
    int spaces = size - kept;
    if (right) {
        std::memset(to, ' ', static_cast<size_t>(spaces));
        std::memcpy(to + spaces, krText(s) + length - kept, static_cast<size_t>(kept));
    } else {
        std::memcpy(to, krText(s), static_cast<size_t>(kept));
        std::memset(to + kept, ' ', static_cast<size_t>(spaces));
    }
    return result;
}

// The `digits` lowest digits of a value in base 2^bits, most significant first.
KrString* digitsOf(uint32_t value, int digits, int bits) {
    static const char kDigits[] = "0123456789ABCDEF";
    KrString* result = krAllocString(digits);
    char* to = bytesOf(result);
    for (int i = digits - 1; i >= 0; --i, value >>= bits) to[i] = kDigits[value & ((1u << bits) - 1)];
    return result;
}

} // namespace

extern "C" {

__attribute__((stdcall)) KrString* String(KrString* s, int repeat) {
    int length = krLength(s);
    if (length == 0 || repeat <= 0) return krNewEmptyString();
    KrString* result = allocResult(int64_t(length) * repeat);
    char* to = bytesOf(result);
    for (int i = 0; i < repeat; ++i, to += length) std::memcpy(to, krText(s), static_cast<size_t>(length));
    return result;
}

__attribute__((stdcall)) KrString* Left(KrString* s, int count) {
    int length = krLength(s);
    return slice(s, 0, count < length ? count : length);
}

__attribute__((stdcall)) KrString* Right(KrString* s, int count) {
    int length = krLength(s);
    int n = count < length ? count : length;
    return slice(s, length - (n > 0 ? n : 0), n);
}

// Mid(s, 0, n) gives the first n - 1 bytes: a start before the string uses
// up part of the count.
__attribute__((stdcall)) KrString* Mid(KrString* s, int start, int count) {
    int length = krLength(s);
    if (count < 0) count = length;
    int64_t pos = int64_t(start) - 1;
    int64_t n = count;
    if (pos < 0) {
        n += pos;
        pos = 0;
    }
    if (pos >= length || n <= 0) return krNewEmptyString();
    if (n > length - pos) n = length - pos;
    return slice(s, static_cast<int>(pos), static_cast<int>(n));
}

__attribute__((stdcall)) int Instr(KrString* s, KrString* find, int from) {
    int length = krLength(s);
    int64_t start = int64_t(from) - 1;
    if (start >= length) return 0;
    int hit = findBytes(krText(s), length, krText(find), krLength(find), start < 0 ? 0 : static_cast<int>(start));
    return hit + 1;
}

// Every occurrence of `from`, left to right; the inserted text is never
// searched again, so Replace("aaa", "a", "aa") doubles each byte once. An
// empty `from` would match at every position without end: the string comes
// back unchanged.
__attribute__((stdcall)) KrString* Replace(KrString* s, KrString* from, KrString* to) {
    const char* text = krText(s);
    int length = krLength(s);
    int fromLength = krLength(from);
    int toLength = krLength(to);
    if (fromLength == 0) return krNewString(text, length);

    int matches = 0;
    for (int p = findBytes(text, length, krText(from), fromLength, 0); p >= 0;
         p = findBytes(text, length, krText(from), fromLength, p + fromLength))
        ++matches;
    if (matches == 0) return krNewString(text, length);

    KrString* result = allocResult(int64_t(length) + int64_t(matches) * (toLength - fromLength));
    if (result->length() == 0) return result;
    char* out = bytesOf(result);
    int done = 0;
    for (int p = findBytes(text, length, krText(from), fromLength, 0); p >= 0;
         p = findBytes(text, length, krText(from), fromLength, done)) {
        std::memcpy(out, text + done, static_cast<size_t>(p - done));
        out += p - done;
        std::memcpy(out, krText(to), static_cast<size_t>(toLength));
        out += toLength;
        done = p + fromLength;
    }
    std::memcpy(out, text + done, static_cast<size_t>(length - done));
    return result;
}

__attribute__((stdcall)) KrString* Upper(KrString* s) {
    return mapBytes(s, [](char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 32) : c; });
}

__attribute__((stdcall)) KrString* Lower(KrString* s) {
    return mapBytes(s, [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
}

// Control bytes and spaces (values up to 32) go at both ends; bytes of 128
// and above are kept.
__attribute__((stdcall)) KrString* Trim(KrString* s) {
    const auto* text = reinterpret_cast<const unsigned char*>(krText(s));
    int begin = 0, end = krLength(s);
    while (begin < end && text[begin] <= 32) ++begin;
    while (end > begin && text[end - 1] <= 32) --end;
    return slice(s, begin, end - begin);
}

__attribute__((stdcall)) KrString* LSet(KrString* s, int size) { return pad(s, size, false); }

__attribute__((stdcall)) KrString* RSet(KrString* s, int size) { return pad(s, size, true); }

__attribute__((stdcall)) KrString* Chr(int ascii) {
    KrString* c = krCharString(static_cast<unsigned char>(ascii & 0xFF));
    c->retain();
    return c;
}

__attribute__((stdcall)) int Asc(KrString* s) {
    return krLength(s) ? static_cast<unsigned char>(krText(s)[0]) : -1;
}

__attribute__((stdcall)) int Len(KrString* s) { return krLength(s); }

__attribute__((stdcall)) KrString* Hex(int value) { return digitsOf(static_cast<uint32_t>(value), 8, 4); }

__attribute__((stdcall)) KrString* Bin(int value) { return digitsOf(static_cast<uint32_t>(value), 32, 1); }

}

KR_COMMAND(Runtime, "$String$string%repeat", String);
KR_COMMAND(Runtime, "$Left$string%count", Left);
KR_COMMAND(Runtime, "$Right$string%count", Right);
KR_COMMAND(Runtime, "$Replace$string$from$to", Replace);
KR_COMMAND(Runtime, "%Instr$string$find%from=1", Instr);
KR_COMMAND(Runtime, "$Mid$string%start%count=-1", Mid);
KR_COMMAND(Runtime, "$Upper$string", Upper);
KR_COMMAND(Runtime, "$Lower$string", Lower);
KR_COMMAND(Runtime, "$Trim$string", Trim);
KR_COMMAND(Runtime, "$LSet$string%size", LSet);
KR_COMMAND(Runtime, "$RSet$string%size", RSet);
KR_COMMAND(Runtime, "$Chr%ascii", Chr);
KR_COMMAND(Runtime, "%Asc$string", Asc);
KR_COMMAND(Runtime, "%Len$string", Len);
KR_COMMAND(Runtime, "$Hex%value", Hex);
KR_COMMAND(Runtime, "$Bin%value", Bin);
