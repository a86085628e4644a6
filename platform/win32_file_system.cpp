// The file-system calls of platform/file_system.h on the Win32 kernel.
#include <windows.h>

#include "platform/file_system.h"

namespace platform {

bool findFirstFile(const char* name, FoundFile* found) {
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA(name, &entry);
    if (search == INVALID_HANDLE_VALUE) return false;
    FindClose(search);
    found->directory = (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    found->sizeLow = entry.nFileSizeLow;
    return true;
}

bool fileAttributes(const char* name, FoundFile* found) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExA(name, GetFileExInfoStandard, &data)) return false;
    found->directory = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    found->sizeLow = data.nFileSizeLow;
    return true;
}

bool copyFile(const char* from, const char* to) { return CopyFileA(from, to, FALSE) != 0; }

bool deleteFile(const char* name) { return DeleteFileA(name) != 0; }

std::string currentDirectory() {
    char buffer[MAX_PATH];
    DWORD n = GetCurrentDirectoryA(sizeof buffer, buffer);
    if (n == 0) return std::string();
    if (n < sizeof buffer) return std::string(buffer, n);
    // A path longer than MAX_PATH: n is the size it needs.
    std::string longer(n, '\0');
    DWORD got = GetCurrentDirectoryA(n, &longer[0]);
    longer.resize(got < n ? got : 0);
    return longer;
}

bool changeDirectory(const char* name) { return SetCurrentDirectoryA(name) != 0; }

bool createDirectory(const char* name) { return CreateDirectoryA(name, nullptr) != 0; }

bool removeDirectory(const char* name) { return RemoveDirectoryA(name) != 0; }

} // namespace platform
