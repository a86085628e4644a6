// Writing, reading and listing module images.
#include "module_image.h"

#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "byte_io.h"

namespace vornimg {

namespace {

void append_name(std::vector<uint8_t>& out, const std::string& name) {
    if (name.find('\0') != std::string::npos)
        throw Error("symbol name contains a NUL byte");
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
}

void append_relocations(std::vector<uint8_t>& out, const std::vector<ImageRelocation>& relocs) {
    append_u32(out, uint32_t(relocs.size()));
    for (const ImageRelocation& r : relocs) {
        append_name(out, r.name);
        append_u32(out, r.offset);
    }
}

class ImageCursor {
public:
    explicit ImageCursor(const std::vector<uint8_t>& bytes) : view_(bytes) {}

    uint32_t u32(const char* what) {
        uint32_t v = view_.u32(pos_, what);
        pos_ += 4;
        return v;
    }
    std::string name(const char* what) {
        view_.require(pos_, 1, what);
        const uint8_t* start = view_.data() + pos_;
        const void* nul = std::memchr(start, 0, view_.size() - pos_);
        if (!nul)
            throw Error(std::string(what) + " is not terminated");
        std::string s(reinterpret_cast<const char*>(start), static_cast<const uint8_t*>(nul) - start);
        pos_ += s.size() + 1;
        return s;
    }
    std::vector<uint8_t> bytes(uint32_t count, const char* what) {
        view_.require(pos_, count, what);
        std::vector<uint8_t> out(view_.data() + pos_, view_.data() + pos_ + count);
        pos_ += count;
        return out;
    }
    // Guards against huge counts in a damaged file: each entry needs at least
    // `min_entry` bytes, so a count the rest of the file cannot hold is an error.
    void check_count(uint32_t count, uint64_t min_entry, const char* what) const {
        if (uint64_t(count) * min_entry > view_.size() - pos_)
            throw Error(std::string(what) + " count exceeds the file");
    }
    bool at_end() const { return pos_ == view_.size(); }

private:
    ByteView view_;
    uint64_t pos_ = 0;
};

std::vector<ImageRelocation> read_relocations(ImageCursor& in, const char* what, uint32_t code_size) {
    uint32_t count = in.u32(what);
    in.check_count(count, 5, what);
    std::vector<ImageRelocation> relocs;
    relocs.reserve(count);
    for (uint32_t i = 0; i < count; ++i) {
        ImageRelocation r;
        r.name = in.name(what);
        r.offset = in.u32(what);
        if (code_size < 4 || r.offset > code_size - 4)
            throw Error(std::string(what) + " '" + r.name + "' patches a field outside the code block");
        relocs.push_back(std::move(r));
    }
    return relocs;
}

}  // namespace

std::vector<uint8_t> serialize_image(const ModuleImage& image) {
    std::vector<uint8_t> out;
    append_u32(out, uint32_t(image.code.size()));
    out.insert(out.end(), image.code.begin(), image.code.end());
    append_u32(out, uint32_t(image.symbols.size()));
    for (const ImageSymbol& s : image.symbols) {
        append_name(out, s.name);
        append_u32(out, s.offset);
    }
    append_relocations(out, image.relative);
    append_relocations(out, image.absolute);
    return out;
}

ModuleImage parse_image(const std::vector<uint8_t>& bytes) {
    ImageCursor in(bytes);
    ModuleImage image;
    uint32_t code_size = in.u32("code size");
    image.code = in.bytes(code_size, "code block");
    uint32_t symbol_count = in.u32("symbol count");
    in.check_count(symbol_count, 5, "symbol");
    image.symbols.reserve(symbol_count);
    for (uint32_t i = 0; i < symbol_count; ++i) {
        ImageSymbol s;
        s.name = in.name("symbol entry");
        s.offset = in.u32("symbol entry");
        if (s.offset >= code_size)
            throw Error("symbol '" + s.name + "' lies outside the code block");
        image.symbols.push_back(std::move(s));
    }
    image.relative = read_relocations(in, "relative relocation", code_size);
    image.absolute = read_relocations(in, "absolute relocation", code_size);
    if (!in.at_end())
        throw Error("unexpected bytes after the absolute relocations");
    return image;
}

void dump_image(const ModuleImage& image, std::ostream& out) {
    char line[64];
    auto print_relocs = [&](const char* title, const char* tag, const std::vector<ImageRelocation>& relocs) {
        out << title << ' ' << relocs.size() << '\n';
        for (const ImageRelocation& r : relocs) {
            int32_t stored = int32_t(load_u32(image.code.data() + r.offset));
            std::snprintf(line, sizeof line, "%s 0x%08" PRIx32 " ", tag, r.offset);
            out << line << r.name << ' ' << stored << '\n';
        }
    };
    out << "code " << image.code.size() << '\n';
    out << "symbols " << image.symbols.size() << '\n';
    for (const ImageSymbol& s : image.symbols) {
        std::snprintf(line, sizeof line, "symbol 0x%08" PRIx32 " ", s.offset);
        out << line << s.name << '\n';
    }
    print_relocs("relative", "rel", image.relative);
    print_relocs("absolute", "abs", image.absolute);
}

}  // namespace vornimg
