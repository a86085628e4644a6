// Builds module images byte by byte, for linker tests that need exact
// offsets, malformed tables or hand-written machine code.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TestImage {
public:
    std::vector<uint8_t> code;

    TestImage& symbol(const std::string& name, uint32_t offset) {
        symbols_.push_back({name, offset});
        return *this;
    }
    TestImage& relative(const std::string& name, uint32_t offset) {
        relatives_.push_back({name, offset});
        return *this;
    }
    TestImage& absolute(const std::string& name, uint32_t offset) {
        absolutes_.push_back({name, offset});
        return *this;
    }

    // Appends machine code bytes and returns the offset where they start.
    uint32_t emit(std::initializer_list<uint8_t> bytes) {
        uint32_t at = static_cast<uint32_t>(code.size());
        code.insert(code.end(), bytes);
        return at;
    }
    uint32_t emit32(uint32_t value) {
        uint32_t at = static_cast<uint32_t>(code.size());
        for (int i = 0; i < 4; ++i) code.push_back(static_cast<uint8_t>(value >> (8 * i)));
        return at;
    }

    std::vector<uint8_t> bytes() const {
        std::vector<uint8_t> out;
        put32(out, static_cast<uint32_t>(code.size()));
        out.insert(out.end(), code.begin(), code.end());
        for (const auto* table : {&symbols_, &relatives_, &absolutes_}) {
            put32(out, static_cast<uint32_t>(table->size()));
            for (const Entry& e : *table) {
                out.insert(out.end(), e.name.begin(), e.name.end());
                out.push_back(0);
                put32(out, e.offset);
            }
        }
        return out;
    }

private:
    struct Entry {
        std::string name;
        uint32_t offset;
    };
    static void put32(std::vector<uint8_t>& out, uint32_t v) {
        for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
    }
    std::vector<Entry> symbols_, relatives_, absolutes_;
};
