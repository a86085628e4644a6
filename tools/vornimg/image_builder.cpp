// Builds a module image from a COFF object.
//
// Layout of the code block: a 5-byte `jmp __MAIN` at offset 0, then every kept
// section (.text*, then .data*, .rdata*, .bss*), each aligned to its own
// alignment but at least 4, then COMMON symbols. Sections that are marked
// removable or discardable (.drectve, .debug*, ...) and any section of another
// name are left out; a relocation that reaches into them is an error.
#include "image_builder.h"

#include <algorithm>
#include <cstring>
#include <map>
#include <set>

namespace vornimg {

namespace {

constexpr uint32_t kJumpSize = 5;
constexpr uint64_t kMaxCodeSize = 256u << 20;  // far beyond any real program
const char* const kMainName = "__MAIN";

// Rank of a kept section in the layout; -1 for a section that is left out.
int section_rank(const CoffSection& s) {
    if (s.characteristics & (coff::kScnLnkRemove | coff::kScnMemDiscardable | coff::kScnLnkInfo))
        return -1;
    static const char* const prefixes[] = {".text", ".data", ".rdata", ".bss"};
    for (int i = 0; i < 4; ++i)
        if (s.name.compare(0, std::strlen(prefixes[i]), prefixes[i]) == 0)
            return i;
    return -1;
}

uint64_t align_up(uint64_t v, uint64_t a) { return (v + a - 1) / a * a; }

std::string relocation_type_name(uint16_t type) {
    switch (type) {
    case 0: return "ABSOLUTE";
    case 1: return "DIR16";
    case 2: return "REL16";
    case 7: return "DIR32NB";
    case 9: return "SEG12";
    case 10: return "SECTION";
    case 11: return "SECREL";
    case 12: return "TOKEN";
    case 13: return "SECREL7";
    default: return "";
    }
}

class Builder {
public:
    explicit Builder(const CoffObject& obj) : obj_(obj), base_(obj.sections.size(), 0) {}

    ModuleImage build() {
        lay_out_sections();
        allocate_commons();
        fill_code();
        collect_defined_symbols();
        image_.relative.push_back({kMainName, 1});
        convert_relocations();
        for (const ImageSymbol& s : numbered_symbols_)
            image_.symbols.push_back(s);
        // The linker accepts only symbols strictly inside the code block; a
        // label at the very end (an empty last section) needs some room.
        for (const ImageSymbol& s : image_.symbols)
            if (s.offset >= image_.code.size())
                image_.code.resize(align_up(s.offset + 1, 4), 0);
        return std::move(image_);
    }

private:
    bool kept(int section_number) const {
        return section_number > 0 && rank_of(section_number - 1) >= 0;
    }
    int rank_of(size_t index) const { return section_rank(obj_.sections[index]); }

    void lay_out_sections() {
        for (size_t i = 0; i < obj_.sections.size(); ++i)
            if (rank_of(i) >= 0)
                order_.push_back(i);
        std::stable_sort(order_.begin(), order_.end(), [&](size_t a, size_t b) {
            int ra = rank_of(a), rb = rank_of(b);
            if (ra != rb) return ra < rb;
            return obj_.sections[a].name < obj_.sections[b].name;
        });
        size_ = kJumpSize;
        for (size_t i : order_) {
            const CoffSection& s = obj_.sections[i];
            size_ = align_up(size_, std::max<uint32_t>(4, s.alignment));
            base_[i] = uint32_t(size_);
            size_ += s.size;
            check_size();
        }
    }

    // COMMON symbols: undefined externals whose value is their size.
    void allocate_commons() {
        for (size_t i = 0; i < obj_.symbols.size(); ++i) {
            const CoffSymbol& sym = obj_.symbols[i];
            if (!is_common(sym)) continue;
            uint64_t align = 4;
            while (align < 16 && align * 2 <= sym.value) align *= 2;
            size_ = align_up(size_, align);
            common_offset_[i] = uint32_t(size_);
            size_ += sym.value;
            check_size();
        }
    }

    static bool is_common(const CoffSymbol& sym) {
        return !sym.is_aux && sym.storage_class == coff::kClassExternal &&
               sym.section == coff::kSectionUndefined && sym.value != 0;
    }

    void check_size() const {
        if (size_ > kMaxCodeSize)
            throw Error("the code block would exceed 256 MB");
    }

    void fill_code() {
        image_.code.assign(align_up(size_, 4), 0);
        image_.code[0] = 0xE9;  // jmp rel32
        store_u32(&image_.code[1], uint32_t(-4));
        for (size_t i : order_) {
            const CoffSection& s = obj_.sections[i];
            if (!s.uninitialized)
                std::copy(s.data.begin(), s.data.end(), image_.code.begin() + base_[i]);
        }
    }

    void collect_defined_symbols() {
        bool has_main = false;
        std::map<std::string, std::string> defined;  // stripped -> original
        for (size_t i = 0; i < obj_.symbols.size(); ++i) {
            const CoffSymbol& sym = obj_.symbols[i];
            if (sym.is_aux) continue;
            if (sym.storage_class == coff::kClassExternal)
                taken_names_.insert(strip_stdcall_suffix(sym.name));
            uint32_t offset;
            if (is_common(sym)) {
                offset = common_offset_.at(i);
            } else if (sym.storage_class == coff::kClassExternal && kept(sym.section)) {
                offset = symbol_offset(sym);
            } else {
                continue;
            }
            std::string name = strip_stdcall_suffix(sym.name);
            auto [it, fresh] = defined.emplace(name, sym.name);
            if (!fresh)
                throw Error("symbols " + it->second + " and " + sym.name + " both become " + name);
            if (name == kMainName) has_main = true;
            image_.symbols.push_back({name, offset});
        }
        if (!has_main)
            throw Error("the object does not define __MAIN "
                        "(the program's main must be `void _MAIN(void)`)");
    }

    uint32_t symbol_offset(const CoffSymbol& sym) const {
        size_t index = size_t(sym.section - 1);
        if (sym.value > obj_.sections[index].size)
            throw Error("symbol " + sym.name + " lies outside its section " + obj_.sections[index].name);
        return base_[index] + sym.value;
    }

    // The name a relocation refers to for the symbol at `index`.
    std::string target_name(uint32_t index, const CoffSection& from) {
        if (index >= obj_.symbols.size() || obj_.symbols[index].is_aux)
            throw Error("relocation in section " + from.name + " refers to a missing symbol");
        const CoffSymbol& sym = obj_.symbols[index];
        if (sym.section > 0 && !kept(sym.section))
            throw Error("section " + from.name + " refers to " + sym.name + " in section " +
                        obj_.sections[sym.section - 1].name + ", which is not placed in the image");
        if (sym.storage_class == coff::kClassExternal && sym.section >= 0)
            return strip_stdcall_suffix(sym.name);
        if ((sym.storage_class == coff::kClassStatic || sym.storage_class == coff::kClassLabel) &&
            sym.section > 0)
            return numbered_name(symbol_offset(sym));
        if (sym.section == coff::kSectionAbsolute)
            throw Error("section " + from.name + " refers to absolute symbol " + sym.name +
                        ", which an image cannot hold");
        throw Error("section " + from.name + " refers to symbol " + sym.name +
                    " of unsupported storage class " + std::to_string(sym.storage_class));
    }

    // One `_<n>` name per distinct local target, skipping names the object uses.
    std::string numbered_name(uint32_t offset) {
        auto found = numbered_.find(offset);
        if (found != numbered_.end()) return found->second;
        std::string name;
        do {
            name = "_" + std::to_string(++counter_);
        } while (taken_names_.count(name));
        numbered_.emplace(offset, name);
        numbered_symbols_.push_back({name, offset});
        return name;
    }

    void convert_relocations() {
        for (size_t i : order_) {
            const CoffSection& s = obj_.sections[i];
            if (s.uninitialized && !s.relocations.empty())
                throw Error("section " + s.name + " has no contents but has relocations");
            for (const CoffRelocation& r : s.relocations) {
                if (r.type != coff::kRelI386Dir32 && r.type != coff::kRelI386Rel32) {
                    std::string kind = relocation_type_name(r.type);
                    throw Error("section " + s.name + " has a relocation of unsupported type " +
                                std::to_string(r.type) + (kind.empty() ? "" : " (" + kind + ")") +
                                "; only DIR32 and REL32 are supported");
                }
                if (s.size < 4 || r.offset > s.size - 4)
                    throw Error("relocation in section " + s.name + " lies outside the section");
                std::string name = target_name(r.symbol_index, s);
                uint32_t field = base_[i] + r.offset;
                uint8_t* p = &image_.code[field];
                if (r.type == coff::kRelI386Rel32) {
                    // COFF: S + A - (P + 4); image: stored + T - F.
                    store_u32(p, load_u32(p) - 4);
                    image_.relative.push_back({name, field});
                } else {
                    image_.absolute.push_back({name, field});
                }
            }
        }
    }

    const CoffObject& obj_;
    std::vector<size_t> order_;
    std::vector<uint32_t> base_;
    std::map<size_t, uint32_t> common_offset_;
    uint64_t size_ = 0;
    ModuleImage image_;
    std::set<std::string> taken_names_;
    std::map<uint32_t, std::string> numbered_;
    std::vector<ImageSymbol> numbered_symbols_;
    unsigned counter_ = 0;
};

}  // namespace

std::string strip_stdcall_suffix(const std::string& name) {
    size_t at = name.rfind('@');
    if (at == std::string::npos || at == 0 || at + 1 == name.size()) return name;
    for (size_t i = at + 1; i < name.size(); ++i)
        if (name[i] < '0' || name[i] > '9') return name;
    return name.substr(0, at);
}

ModuleImage build_image(const CoffObject& obj) { return Builder(obj).build(); }

}  // namespace vornimg
