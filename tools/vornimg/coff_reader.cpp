// Reads an i386 COFF object file: header, section table, section contents,
// relocations, symbol table and string table, checking every offset.
#include "coff_reader.h"

#include <cstdio>
#include <cstring>

namespace vornimg {

namespace {

constexpr uint64_t kFileHeaderSize = 20;
constexpr uint64_t kSectionHeaderSize = 40;
constexpr uint64_t kRelocationSize = 10;
constexpr uint64_t kSymbolSize = 18;

struct StringTable {
    ByteView bytes{nullptr, 0};

    // Name at `offset`: must start inside the table and end with a NUL inside it.
    std::string at(uint64_t offset, const char* what) const {
        if (offset < 4 || offset >= bytes.size())
            throw Error(std::string(what) + " points outside the string table");
        const uint8_t* start = bytes.data() + offset;
        const void* nul = std::memchr(start, 0, bytes.size() - offset);
        if (!nul)
            throw Error(std::string(what) + " in the string table is not terminated");
        return std::string(reinterpret_cast<const char*>(start),
                           static_cast<const uint8_t*>(nul) - start);
    }
};

std::string short_name(const uint8_t* p) {
    size_t len = 0;
    while (len < 8 && p[len] != 0) ++len;
    return std::string(reinterpret_cast<const char*>(p), len);
}

// "//" followed by up to six base-64 digits: the form used for string table
// offsets too large for seven decimal digits.
bool decode_base64_offset(const std::string& digits, uint64_t& out) {
    static const char alphabet[] =
        "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    if (digits.empty() || digits.size() > 6) return false;
    out = 0;
    for (char c : digits) {
        const char* pos = std::strchr(alphabet, c);
        if (!pos || c == 0) return false;
        out = out * 64 + uint64_t(pos - alphabet);
    }
    return true;
}

std::string section_name(const uint8_t* raw, const StringTable& strings) {
    std::string name = short_name(raw);
    if (name.size() < 2 || name[0] != '/') return name;
    uint64_t offset = 0;
    if (name[1] == '/') {
        if (!decode_base64_offset(name.substr(2), offset))
            throw Error("bad long section name '" + name + "'");
    } else {
        for (size_t i = 1; i < name.size(); ++i) {
            if (name[i] < '0' || name[i] > '9')
                throw Error("bad long section name '" + name + "'");
            offset = offset * 10 + uint64_t(name[i] - '0');
        }
    }
    return strings.at(offset, "long section name");
}

}  // namespace

CoffObject read_coff(const std::vector<uint8_t>& bytes) {
    ByteView file(bytes);
    if (file.size() < kFileHeaderSize)
        throw Error("file is too short for a COFF header");

    uint16_t machine = file.u16(0, "COFF header");
    if (machine != coff::kMachineI386)
        throw Error("not an i386 COFF object (machine 0x" + [&] {
            char buf[8];
            std::snprintf(buf, sizeof buf, "%04x", machine);
            return std::string(buf);
        }() + ")");
    uint16_t section_count = file.u16(2, "COFF header");
    uint32_t symtab_offset = file.u32(8, "COFF header");
    uint32_t symbol_count = file.u32(12, "COFF header");
    uint16_t optional_size = file.u16(16, "COFF header");

    // The string table follows the symbol table; its first word is its size,
    // that word included.
    StringTable strings;
    uint64_t symtab_bytes = uint64_t(symbol_count) * kSymbolSize;
    if (symbol_count != 0 || symtab_offset != 0) {
        file.require(symtab_offset, symtab_bytes, "symbol table");
        uint64_t strtab_offset = uint64_t(symtab_offset) + symtab_bytes;
        if (file.contains(strtab_offset, 4)) {
            uint32_t strtab_size = file.u32(strtab_offset, "string table");
            if (strtab_size < 4)
                strtab_size = 4;
            file.require(strtab_offset, strtab_size, "string table");
            strings.bytes = ByteView(file.data() + strtab_offset, strtab_size);
        }
    }

    CoffObject obj;
    uint64_t headers = kFileHeaderSize + optional_size;
    file.require(headers, uint64_t(section_count) * kSectionHeaderSize, "section table");
    obj.sections.resize(section_count);
    for (uint16_t i = 0; i < section_count; ++i) {
        uint64_t h = headers + uint64_t(i) * kSectionHeaderSize;
        CoffSection& s = obj.sections[i];
        s.name = section_name(file.data() + h, strings);
        s.size = file.u32(h + 16, "section header");
        uint32_t raw_offset = file.u32(h + 20, "section header");
        uint32_t reloc_offset = file.u32(h + 24, "section header");
        uint32_t reloc_count = file.u16(h + 32, "section header");
        s.characteristics = file.u32(h + 36, "section header");
        uint32_t vaddr = file.u32(h + 12, "section header");

        uint32_t align_bits = (s.characteristics & coff::kScnAlignMask) >> 20;
        if (align_bits > 14)
            throw Error("section " + s.name + " has an invalid alignment");
        s.alignment = align_bits ? (1u << (align_bits - 1)) : 1;

        s.uninitialized = (s.characteristics & coff::kScnCntUninitializedData) || raw_offset == 0;
        if (!s.uninitialized) {
            file.require(raw_offset, s.size, ("contents of section " + s.name).c_str());
            s.data.assign(file.data() + raw_offset, file.data() + raw_offset + s.size);
        }

        uint64_t first = 0;
        if ((s.characteristics & coff::kScnLnkNrelocOvfl) && reloc_count == 0xffff) {
            // The real count sits in the first record, which is not a relocation.
            reloc_count = file.u32(reloc_offset, "relocation count");
            if (reloc_count == 0)
                throw Error("section " + s.name + " has a bad extended relocation count");
            first = 1;
        }
        if (reloc_count > first) {
            file.require(reloc_offset, uint64_t(reloc_count) * kRelocationSize,
                         ("relocations of section " + s.name).c_str());
        }
        for (uint64_t r = first; r < reloc_count; ++r) {
            uint64_t p = reloc_offset + r * kRelocationSize;
            CoffRelocation rel;
            uint32_t address = file.u32(p, "relocation");
            if (address < vaddr)
                throw Error("relocation in section " + s.name + " lies before the section");
            rel.offset = address - vaddr;
            rel.symbol_index = file.u32(p + 4, "relocation");
            rel.type = file.u16(p + 8, "relocation");
            s.relocations.push_back(rel);
        }
    }

    obj.symbols.resize(symbol_count);
    for (uint32_t i = 0; i < symbol_count; ++i) {
        uint64_t p = uint64_t(symtab_offset) + uint64_t(i) * kSymbolSize;
        CoffSymbol& sym = obj.symbols[i];
        const uint8_t* raw = file.data() + p;
        if (load_u32(raw) == 0)
            sym.name = strings.at(load_u32(raw + 4), "symbol name");
        else
            sym.name = short_name(raw);
        sym.value = load_u32(raw + 8);
        sym.section = int16_t(file.u16(p + 12, "symbol"));
        sym.type = file.u16(p + 14, "symbol");
        sym.storage_class = raw[16];
        sym.aux_count = raw[17];
        if (uint64_t(i) + sym.aux_count >= symbol_count && sym.aux_count != 0)
            throw Error("symbol " + sym.name + " has auxiliary records past the symbol table");
        if (sym.section > 0 && sym.section > int(section_count))
            throw Error("symbol " + sym.name + " names a section that does not exist");
        for (uint32_t a = 1; a <= sym.aux_count; ++a)
            obj.symbols[i + a].is_aux = true;
        i += sym.aux_count;
    }
    return obj;
}

}  // namespace vornimg
