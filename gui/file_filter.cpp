#include "gui/file_filter.h"

#include <cstring>

namespace {

constexpr char kAllFiles[] = "All files\0*.*\0\0"; // with the literal's own zero: 16 bytes
constexpr int kAllFilesSize = sizeof kAllFiles;

// Copies `count` bytes and a zero at `at`; the caller has checked the room.
void put(FileFilter& filter, const char* bytes, int count) {
    std::memcpy(filter.text + filter.used, bytes, count);
    filter.used += count;
    filter.text[filter.used++] = 0;
}

} // namespace

FileFilter buildFileFilter(const char* extensions) {
    FileFilter filter{};
    const char* piece = extensions ? extensions : "";
    if (*piece) {
        const char* end = std::strchr(piece, ',');
        filter.defaultExtension.assign(piece, end ? end - piece : std::strlen(piece));
        // An empty first piece offers no extension, as it ends the list.
        if (!filter.defaultExtension.empty() && static_cast<int>(filter.defaultExtension.size()) + 2 < kFileNameSize)
            filter.initialName = "*." + filter.defaultExtension;
    }
    while (*piece) {
        const char* end = std::strchr(piece, ',');
        int length = static_cast<int>(end ? end - piece : std::strlen(piece));
        if (length == 0) break;
        // "PIECE Files", "*.PIECE", each with its zero, before the closing entry.
        long need = 2L * length + 10;
        if (filter.used + need + kAllFilesSize > kFileFilterSize) break;
        std::string display = std::string(piece, length) + " Files";
        std::string pattern = "*." + std::string(piece, length);
        put(filter, display.data(), static_cast<int>(display.size()));
        put(filter, pattern.data(), static_cast<int>(pattern.size()));
        ++filter.entries;
        if (!end) break;
        piece = end + 1;
    }
    std::memcpy(filter.text + filter.used, kAllFiles, kAllFilesSize);
    filter.used += kAllFilesSize;
    ++filter.entries;
    return filter;
}
