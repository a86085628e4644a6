#include "tools/vornpack/resources.h"

#include <cstring>

namespace {

uint16_t u16(const std::vector<uint8_t>& b, size_t at) { return static_cast<uint16_t>(b[at] | b[at + 1] << 8); }
uint32_t u32(const std::vector<uint8_t>& b, size_t at) { return u16(b, at) | static_cast<uint32_t>(u16(b, at + 2)) << 16; }

void put16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}
void put32(std::vector<uint8_t>& out, uint32_t v) {
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}
void set16(std::vector<uint8_t>& out, size_t at, size_t v) {
    out[at] = static_cast<uint8_t>(v);
    out[at + 1] = static_cast<uint8_t>(v >> 8);
}
void pad4(std::vector<uint8_t>& out) {
    while (out.size() % 4) out.push_back(0);
}
// UTF-16 of a text taken as Latin-1, with its terminating NUL.
void putText(std::vector<uint8_t>& out, const std::string& text) {
    for (unsigned char c : text) put16(out, c);
    put16(out, 0);
}

// One node of a version block: length, value length, type, key, value,
// children, each part on a 4-byte boundary.
struct Node {
    std::string key;
    std::vector<uint8_t> value;
    uint16_t valueLength = 0; // in words for text values, in bytes for binary ones
    bool text = false;
    std::vector<Node> children;

    void write(std::vector<uint8_t>& out) const {
        pad4(out);
        size_t start = out.size();
        put16(out, 0);
        put16(out, valueLength);
        put16(out, text ? 1 : 0);
        putText(out, key);
        if (!value.empty()) {
            pad4(out);
            out.insert(out.end(), value.begin(), value.end());
        }
        for (const Node& child : children) child.write(out);
        set16(out, start, out.size() - start);
    }
};

Node textNode(const std::string& key, const std::string& value) {
    Node node{key, {}, static_cast<uint16_t>(value.size() + 1), true, {}};
    putText(node.value, value);
    return node;
}

// The leading numbers of "1.2.3.4 beta" as the high and low double words.
void versionNumbers(const std::string& text, uint32_t& high, uint32_t& low) {
    uint32_t parts[4] = {};
    size_t at = 0;
    for (int i = 0; i < 4 && at < text.size() && text[at] >= '0' && text[at] <= '9'; ++i) {
        uint32_t value = 0;
        while (at < text.size() && text[at] >= '0' && text[at] <= '9') {
            value = value * 10 + static_cast<uint32_t>(text[at++] - '0');
            if (value > 0xFFFF) value = 0xFFFF;
        }
        parts[i] = value;
        if (at < text.size() && text[at] == '.') ++at;
        else break;
    }
    high = parts[0] << 16 | parts[1];
    low = parts[2] << 16 | parts[3];
}

} // namespace

bool parseIconFile(const std::vector<uint8_t>& file, IconResources& icon, std::string& error) {
    constexpr size_t kHeader = 6, kEntry = 16;
    if (file.size() < kHeader || u16(file, 0) != 0 || u16(file, 2) != 1 || u16(file, 4) == 0)
        return error = "not an icon file", false;
    size_t count = u16(file, 4);
    if (file.size() < kHeader + count * kEntry) return error = "icon file cut short", false;
    icon = IconResources();
    put16(icon.directory, 0);
    put16(icon.directory, 1);
    put16(icon.directory, static_cast<uint32_t>(count));
    for (size_t i = 0; i < count; ++i) {
        size_t entry = kHeader + i * kEntry;
        uint32_t size = u32(file, entry + 8), offset = u32(file, entry + 12);
        if (size == 0 || offset > file.size() || size > file.size() - offset)
            return error = "icon image " + std::to_string(i + 1) + " lies outside the file", false;
        icon.images.push_back({std::vector<uint8_t>(file.begin() + offset, file.begin() + offset + size)});
        // The first 12 bytes of the entry as they are, then the image's id.
        icon.directory.insert(icon.directory.end(), file.begin() + entry, file.begin() + entry + 12);
        put16(icon.directory, static_cast<uint32_t>(i + 1));
    }
    return true;
}

std::vector<uint8_t> versionResource(const std::string& title, const std::string& version,
                                     const std::string& fileName) {
    uint32_t high = 0, low = 0;
    versionNumbers(version, high, low);
    Node root{"VS_VERSION_INFO", {}, 52, false, {}};
    const uint32_t fixed[13] = {0xFEEF04BD, 0x00010000, high, low, high, low, 0x3F, 0, 0x00040004 /* NT, Win32 */,
                                1 /* application */, 0, 0, 0};
    for (uint32_t word : fixed) put32(root.value, word);

    Node table{"040904b0", {}, 0, true, {}};
    if (!title.empty()) {
        table.children.push_back(textNode("FileDescription", title));
        table.children.push_back(textNode("ProductName", title));
    }
    if (!version.empty()) {
        table.children.push_back(textNode("FileVersion", version));
        table.children.push_back(textNode("ProductVersion", version));
    }
    table.children.push_back(textNode("OriginalFilename", fileName));
    root.children.push_back(Node{"StringFileInfo", {}, 0, true, {table}});
    Node translation{"Translation", {}, 4, false, {}};
    put32(translation.value, 0x04B00409); // US English, Unicode
    root.children.push_back(Node{"VarFileInfo", {}, 0, true, {translation}});

    std::vector<uint8_t> out;
    root.write(out);
    return out;
}
