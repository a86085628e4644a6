// A stream over bytes in memory that hands them out in pieces of at most a
// given size, as a network peer does, and collects what is written to it.
// For the tests and fuzz targets of the stream commands.
#pragma once

#include <algorithm>
#include <cstring>
#include <vector>

#include "system/kr_stream.h"

class PieceStream : public KrStream {
public:
    // `piece` 0: every read gets all it asks for, as far as the bytes go.
    PieceStream(const uint8_t* bytes, size_t size, int piece) : bytes_(bytes, bytes + size), piece_(piece) {}

    int read(void* buffer, int count) override {
        if (count <= 0) return 0;
        size_t n = std::min(static_cast<size_t>(count), bytes_.size() - at_);
        if (piece_ > 0) n = std::min(n, static_cast<size_t>(piece_));
        if (n > 0) std::memcpy(buffer, bytes_.data() + at_, n);
        at_ += n;
        return static_cast<int>(n);
    }
    int write(const void* buffer, int count) override {
        if (count <= 0) return 0;
        const uint8_t* from = static_cast<const uint8_t*>(buffer);
        written.insert(written.end(), from, from + count);
        return count;
    }
    int avail() override { return static_cast<int>(bytes_.size() - at_); }
    int eof() override { return at_ == bytes_.size() ? 1 : 0; }

    int handle() const { return toHandle(this); }

    std::vector<uint8_t> written;

private:
    std::vector<uint8_t> bytes_;
    size_t at_ = 0;
    int piece_;
};
