// The module image: one code block plus its symbol table and its relative and
// absolute relocation tables, and their packed little-endian file form.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

namespace vornimg {

struct ImageSymbol {
    std::string name;
    uint32_t offset;  // into the code block
};

// A 4-byte field in the code block to be patched with a symbol's address.
// Relative: the linker adds (target - field address) to the stored value.
// Absolute: the linker adds the target address to the stored value.
struct ImageRelocation {
    std::string name;
    uint32_t offset;  // of the field in the code block
};

struct ModuleImage {
    std::vector<uint8_t> code;
    std::vector<ImageSymbol> symbols;
    std::vector<ImageRelocation> relative;
    std::vector<ImageRelocation> absolute;
};

std::vector<uint8_t> serialize_image(const ModuleImage& image);

// Parses and checks an image the way the runtime linker will read it: every
// symbol offset lies inside the code block, every relocated field fits in it,
// nothing follows the last absolute entry. Throws Error otherwise.
ModuleImage parse_image(const std::vector<uint8_t>& bytes);

// Writes a readable listing of the image (format documented in main.cpp usage).
void dump_image(const ModuleImage& image, std::ostream& out);

}  // namespace vornimg
