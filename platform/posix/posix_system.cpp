// System information, shared libraries and the shell on POSIX, for the
// native build. There is no shell to hand documents to there: shellOpen
// reports that nothing was opened.
#include <dlfcn.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "platform/shared_library.h"
#include "platform/shell.h"
#include "platform/system_info.h"

namespace platform {

bool osVersion(OsVersion& version) {
    utsname name;
    if (uname(&name) != 0) return false;
    return std::sscanf(name.release, "%u.%u.%u", &version.major, &version.minor, &version.build) >= 2;
}

std::string applicationDirectory() {
    char path[4096];
    ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
    if (n <= 0) return "";
    std::string dir(path, static_cast<size_t>(n));
    return dir.substr(0, dir.find_last_of('/') + 1);
}

std::string windowsDirectory() { return "/"; }
std::string systemDirectory() { return "/usr/lib/"; }

std::string tempDirectory() {
    const char* dir = std::getenv("TMPDIR");
    std::string path = dir && *dir ? dir : "/tmp";
    return path.back() == '/' ? path : path + "/";
}

void* loadLibrary(const char* name) { return dlopen(name, RTLD_NOW | RTLD_LOCAL); }
void* librarySymbol(void* library, const char* name) { return dlsym(library, name); }
void freeLibrary(void* library) { dlclose(library); }

bool shellOpen(const char*, const char*) { return false; }

} // namespace platform
