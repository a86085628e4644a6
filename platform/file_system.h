// The file-system calls of the platform that the file and directory commands
// use: the find-first-file lookup, copying and deleting files, and the
// current directory. Names are passed as the program gives them, in the
// platform's own path syntax.
#pragma once

#include <cstdint>
#include <string>

namespace platform {

struct FoundFile {
    bool directory = false;
    uint32_t sizeLow = 0; // the low 32 bits of the size
};

// Looks `name` up with the platform's find-first search (wildcards match the
// first hit); false when nothing matches.
bool findFirstFile(const char* name, FoundFile* found);
// Looks `name` up by its attributes, which also answers for names the search
// cannot match: a drive root (C:\) and a directory written with a
// trailing separator. Takes no wildcards; false when nothing is there.
bool fileAttributes(const char* name, FoundFile* found);

// Copies `from` to `to`, replacing an existing `to`; false on failure.
bool copyFile(const char* from, const char* to);
bool deleteFile(const char* name);

// The process's current directory as the platform spells it; "" on failure.
std::string currentDirectory();
bool changeDirectory(const char* name);
bool createDirectory(const char* name);
bool removeDirectory(const char* name);

} // namespace platform
