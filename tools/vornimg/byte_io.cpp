// Whole-file reading and writing for vornimg.
#include "byte_io.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vornimg {

std::vector<uint8_t> read_file(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f)
        throw Error("cannot open " + path + ": " + std::strerror(errno));
    std::vector<uint8_t> bytes;
    uint8_t buf[65536];
    size_t got;
    while ((got = std::fread(buf, 1, sizeof buf, f)) > 0)
        bytes.insert(bytes.end(), buf, buf + got);
    bool failed = std::ferror(f) != 0;
    std::fclose(f);
    if (failed)
        throw Error("cannot read " + path);
    return bytes;
}

void write_file(const std::string& path, const std::vector<uint8_t>& bytes) {
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        throw Error("cannot create " + path + ": " + std::strerror(errno));
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    if (!ok) {
        std::remove(path.c_str());
        throw Error("cannot write " + path);
    }
}

}  // namespace vornimg
