// Little-endian byte access with bounds checks, and the error type every
// part of vornimg throws when its input is unusable.
#pragma once

#include <cstddef>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

namespace vornimg {

// A failure that ends the tool with a message and exit code 1.
class Error : public std::runtime_error {
public:
    explicit Error(const std::string& what) : std::runtime_error(what) {}
};

// Read-only view of a byte buffer; every read is checked against its end.
class ByteView {
public:
    ByteView(const uint8_t* data, size_t size) : data_(data), size_(size) {}
    explicit ByteView(const std::vector<uint8_t>& bytes) : ByteView(bytes.data(), bytes.size()) {}

    size_t size() const { return size_; }
    const uint8_t* data() const { return data_; }

    // True when [offset, offset + length) lies inside the buffer.
    bool contains(uint64_t offset, uint64_t length) const {
        return offset <= size_ && length <= size_ - offset;
    }

    void require(uint64_t offset, uint64_t length, const char* what) const {
        if (!contains(offset, length))
            throw Error(std::string(what) + " lies outside the file");
    }

    uint8_t u8(uint64_t offset, const char* what) const {
        require(offset, 1, what);
        return data_[offset];
    }
    uint16_t u16(uint64_t offset, const char* what) const {
        require(offset, 2, what);
        return uint16_t(data_[offset] | (data_[offset + 1] << 8));
    }
    uint32_t u32(uint64_t offset, const char* what) const {
        require(offset, 4, what);
        return uint32_t(data_[offset]) | (uint32_t(data_[offset + 1]) << 8) |
               (uint32_t(data_[offset + 2]) << 16) | (uint32_t(data_[offset + 3]) << 24);
    }

private:
    const uint8_t* data_;
    size_t size_;
};

inline uint32_t load_u32(const uint8_t* p) {
    return uint32_t(p[0]) | (uint32_t(p[1]) << 8) | (uint32_t(p[2]) << 16) | (uint32_t(p[3]) << 24);
}

inline void store_u32(uint8_t* p, uint32_t v) {
    p[0] = uint8_t(v);
    p[1] = uint8_t(v >> 8);
    p[2] = uint8_t(v >> 16);
    p[3] = uint8_t(v >> 24);
}

inline void append_u32(std::vector<uint8_t>& out, uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(uint8_t(v >> shift));
}

std::vector<uint8_t> read_file(const std::string& path);
void write_file(const std::string& path, const std::vector<uint8_t>& bytes);

}  // namespace vornimg
