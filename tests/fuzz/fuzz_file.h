// A file holding the input, for the targets whose loaders take a file name
// and choose the decoder by its extension. One file per process, in memory
// where the system has a memory file system.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <string>

inline std::string writeFuzzFile(const uint8_t* data, size_t size, const char* extension) {
    static const std::string stem = [] {
        const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
        return std::string(dir) + "/vorn-fuzz-" + std::to_string(getpid());
    }();
    std::string path = stem + extension;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return std::string();
    bool ok = std::fwrite(data, 1, size, file) == size;
    if (std::fclose(file) != 0 || !ok) return std::string();
    return path;
}
