// The i386 COFF object model vornimg works from, and the reader that fills it
// from the bytes of an object file made by `i686-w64-mingw32-gcc -c`.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "byte_io.h"

namespace vornimg {

namespace coff {
constexpr uint16_t kMachineI386 = 0x14c;

constexpr uint32_t kScnCntUninitializedData = 0x00000080;
constexpr uint32_t kScnLnkInfo = 0x00000200;
constexpr uint32_t kScnLnkRemove = 0x00000800;
constexpr uint32_t kScnAlignMask = 0x00f00000;
constexpr uint32_t kScnLnkNrelocOvfl = 0x01000000;
constexpr uint32_t kScnMemDiscardable = 0x02000000;

constexpr uint16_t kRelI386Dir32 = 6;
constexpr uint16_t kRelI386Rel32 = 20;

constexpr uint8_t kClassExternal = 2;
constexpr uint8_t kClassStatic = 3;
constexpr uint8_t kClassLabel = 6;

constexpr int16_t kSectionUndefined = 0;
constexpr int16_t kSectionAbsolute = -1;
constexpr int16_t kSectionDebug = -2;
}  // namespace coff

struct CoffRelocation {
    uint32_t offset;        // of the field, from the start of its section
    uint32_t symbol_index;  // into CoffObject::symbols (raw table index)
    uint16_t type;
};

struct CoffSection {
    std::string name;
    uint32_t size = 0;             // SizeOfRawData
    uint32_t characteristics = 0;
    uint32_t alignment = 1;        // from the IMAGE_SCN_ALIGN bits; 1 when unset
    bool uninitialized = false;    // no raw data: zero-filled
    std::vector<uint8_t> data;     // empty when uninitialized
    std::vector<CoffRelocation> relocations;
};

struct CoffSymbol {
    std::string name;
    uint32_t value = 0;
    int16_t section = 0;  // 1-based section number, or 0 / -1 / -2
    uint16_t type = 0;
    uint8_t storage_class = 0;
    uint8_t aux_count = 0;
    bool is_aux = false;  // this raw slot is an auxiliary record, not a symbol
};

struct CoffObject {
    std::vector<CoffSection> sections;  // index = section number - 1
    std::vector<CoffSymbol> symbols;    // one entry per raw table slot
};

// Parses an i386 COFF object. Throws Error on anything malformed; never reads
// outside `bytes`.
CoffObject read_coff(const std::vector<uint8_t>& bytes);

}  // namespace vornimg
