// Building and taking apart the session service's frames and datagrams.
#include "net/session/wire.h"

namespace session {

FrameWriter::FrameWriter(Frame kind) : framed_(true) {
    out_.reserve(64);
    u32(0);
    u8(static_cast<uint8_t>(kind));
}

FrameWriter::FrameWriter(Datagram kind, uint32_t sessionId) : framed_(false) {
    out_.reserve(64);
    u32(kMagic);
    u16(kVersion);
    u8(static_cast<uint8_t>(kind));
    u32(sessionId);
}

FrameWriter& FrameWriter::u8(uint8_t v) {
    out_.push_back(v);
    return *this;
}

FrameWriter& FrameWriter::u16(uint16_t v) {
    out_.push_back(static_cast<uint8_t>(v));
    out_.push_back(static_cast<uint8_t>(v >> 8));
    return *this;
}

FrameWriter& FrameWriter::u32(uint32_t v) {
    for (int i = 0; i < 4; ++i) out_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
}

FrameWriter& FrameWriter::text(const std::string& s) {
    size_t n = s.size() < kMaxName ? s.size() : kMaxName;
    u16(static_cast<uint16_t>(n));
    return bytes(s.data(), n);
}

FrameWriter& FrameWriter::bytes(const void* data, size_t n) {
    auto* p = static_cast<const uint8_t*>(data);
    out_.insert(out_.end(), p, p + n);
    return *this;
}

const std::vector<uint8_t>& FrameWriter::finish() {
    if (framed_) {
        uint32_t length = static_cast<uint32_t>(out_.size() - 4);
        for (int i = 0; i < 4; ++i) out_[i] = static_cast<uint8_t>(length >> (8 * i));
    }
    return out_;
}

bool FrameReader::u8(uint8_t& v) {
    if (left() < 1) return false;
    v = *p_++;
    return true;
}

bool FrameReader::u16(uint16_t& v) {
    if (left() < 2) return false;
    v = static_cast<uint16_t>(p_[0] | p_[1] << 8);
    p_ += 2;
    return true;
}

bool FrameReader::u32(uint32_t& v) {
    if (left() < 4) return false;
    v = static_cast<uint32_t>(p_[0]) | static_cast<uint32_t>(p_[1]) << 8 | static_cast<uint32_t>(p_[2]) << 16 |
        static_cast<uint32_t>(p_[3]) << 24;
    p_ += 4;
    return true;
}

bool FrameReader::text(std::string& s) {
    uint16_t n = 0;
    if (!u16(n) || n > kMaxName || left() < n) return false;
    s.assign(reinterpret_cast<const char*>(p_), n);
    p_ += n;
    return true;
}

void FrameReader::rest(std::vector<uint8_t>& out) {
    out.assign(p_, end_);
    p_ = end_;
}

bool readDatagramHeader(FrameReader& in, Datagram& kind, uint32_t& sessionId) {
    uint32_t magic = 0;
    uint16_t version = 0;
    uint8_t k = 0;
    if (!in.u32(magic) || !in.u16(version) || !in.u8(k) || !in.u32(sessionId)) return false;
    if (magic != kMagic || version != kVersion) return false;
    kind = static_cast<Datagram>(k);
    return true;
}

} // namespace session
