// The Windows queries behind SystemProperty. The version comes from ntdll's
// RtlGetVersion, since GetVersionEx reports Windows 8 to every program
// without a manifest naming later systems.
#include <windows.h>

#include "platform/system_info.h"

namespace {

std::string withBackslash(const char* text, DWORD length, DWORD size) {
    if (length == 0 || length >= size) return std::string();
    std::string path(text, length);
    if (path.back() != '\\') path += '\\';
    return path;
}

} // namespace

namespace platform {

bool osVersion(OsVersion& version) {
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    auto query = ntdll ? reinterpret_cast<RtlGetVersionFn>(
                             reinterpret_cast<void*>(GetProcAddress(ntdll, "RtlGetVersion")))
                       : nullptr;
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof info;
    if (!query || query(&info) != 0) return false;
    version.major = info.dwMajorVersion;
    version.minor = info.dwMinorVersion;
    version.build = info.dwBuildNumber;
    return true;
}

std::string applicationDirectory() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (n == 0 || n >= MAX_PATH) return std::string();
    std::string dir(path, n);
    size_t slash = dir.find_last_of("\\/");
    if (slash == std::string::npos) return std::string();
    dir.erase(slash);
    dir += '\\';
    return dir;
}

std::string windowsDirectory() {
    char path[MAX_PATH];
    return withBackslash(path, GetWindowsDirectoryA(path, MAX_PATH), MAX_PATH);
}

std::string systemDirectory() {
    char path[MAX_PATH];
    return withBackslash(path, GetSystemDirectoryA(path, MAX_PATH), MAX_PATH);
}

std::string tempDirectory() {
    char path[MAX_PATH + 1];
    return withBackslash(path, GetTempPathA(sizeof path, path), sizeof path);
}

} // namespace platform
