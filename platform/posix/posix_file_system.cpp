// The file-system calls of platform/file_system.h on POSIX, for the native
// build. A name with wildcards finds its first match, as the Win32 search does.
#include <glob.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "platform/file_system.h"

namespace platform {

bool fileAttributes(const char* name, FoundFile* found) {
    struct stat info;
    if (stat(name, &info) != 0) return false;
    found->directory = S_ISDIR(info.st_mode);
    found->sizeLow = static_cast<uint32_t>(info.st_size);
    return true;
}

bool findFirstFile(const char* name, FoundFile* found) {
    glob_t matches;
    if (glob(name, GLOB_NOSORT, nullptr, &matches) != 0) return false;
    bool ok = matches.gl_pathc > 0 && fileAttributes(matches.gl_pathv[0], found);
    globfree(&matches);
    return ok;
}

bool copyFile(const char* from, const char* to) {
    FILE* in = std::fopen(from, "rb");
    if (!in) return false;
    FILE* out = std::fopen(to, "wb");
    bool ok = out != nullptr;
    char buffer[65536];
    size_t n;
    while (ok && (n = std::fread(buffer, 1, sizeof buffer, in)) > 0) ok = std::fwrite(buffer, 1, n, out) == n;
    ok = ok && !std::ferror(in);
    std::fclose(in);
    if (out && std::fclose(out) != 0) ok = false;
    return ok;
}

bool deleteFile(const char* name) { return unlink(name) == 0; }

std::string currentDirectory() {
    char buffer[4096];
    return getcwd(buffer, sizeof buffer) ? std::string(buffer) : std::string();
}

bool changeDirectory(const char* name) { return chdir(name) == 0; }

bool createDirectory(const char* name) { return mkdir(name, 0777) == 0; }

bool removeDirectory(const char* name) { return rmdir(name) == 0; }

} // namespace platform
