// The session service's wire format: little-endian fields in length-framed
// TCP frames and in UDP datagrams (docs/session_protocol.md describes it for
// other programs). FrameWriter builds one frame or datagram; FrameReader
// takes one apart and fails, never reading past the end, on short input.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace session {

constexpr uint32_t kMagic = 0x53474E56; // "VNGS"
constexpr uint16_t kVersion = 1;
// The largest message a player may send, and the largest frame body.
constexpr uint32_t kMaxMessage = 1 << 20;
constexpr uint32_t kMaxFrame = kMaxMessage + 64;
constexpr uint32_t kMaxName = 255;
// Unguaranteed messages up to this size travel in one datagram; larger ones
// go over TCP.
constexpr uint32_t kMaxDatagramMessage = 1200;
// Hosts answer session enumeration on the first free UDP port from here.
constexpr int kEnumPortFirst = 47624;
constexpr int kEnumPorts = 32;

enum class Frame : uint8_t {
    Hello = 1,
    Welcome = 2,
    Refuse = 3,
    Rejoin = 4,
    NodeJoined = 5,
    NodeLeft = 6,
    CreatePlayer = 7,
    PlayerCreated = 8,
    DestroyPlayer = 9,
    PlayerDestroyed = 10,
    Message = 11,
    Ping = 12,
    Leaving = 13,
};

enum class Datagram : uint8_t { EnumRequest = 20, EnumReply = 21, Message = 22 };

class FrameWriter {
public:
    // A TCP frame of that kind: its length field is filled in by finish().
    explicit FrameWriter(Frame kind);
    // A datagram: magic, version, kind and session id.
    FrameWriter(Datagram kind, uint32_t sessionId);

    FrameWriter& u8(uint8_t v);
    FrameWriter& u16(uint16_t v);
    FrameWriter& u32(uint32_t v);
    FrameWriter& text(const std::string& s); // u16 length + bytes (cut to kMaxName)
    FrameWriter& bytes(const void* data, size_t n);

    const std::vector<uint8_t>& finish();

private:
    std::vector<uint8_t> out_;
    bool framed_;
};

class FrameReader {
public:
    FrameReader(const uint8_t* data, size_t n) : p_(data), end_(data + n) {}

    bool u8(uint8_t& v);
    bool u16(uint16_t& v);
    bool u32(uint32_t& v);
    bool text(std::string& s);
    // Everything left.
    void rest(std::vector<uint8_t>& out);
    size_t left() const { return static_cast<size_t>(end_ - p_); }

private:
    const uint8_t* p_;
    const uint8_t* end_;
};

// Reads a datagram's header: false unless it has our magic and version.
bool readDatagramHeader(FrameReader& in, Datagram& kind, uint32_t& sessionId);

} // namespace session
