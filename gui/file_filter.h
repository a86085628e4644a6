// The filter list and the starting file name of the file requester, built
// from a program's extension list such as "bmp,png".
//
// Each piece between commas, in order and up to the first empty piece, gives
// the entry "PIECE Files" with the pattern "*.PIECE"; "All files" with "*.*"
// always closes the list. Entries are zero-terminated texts and the list ends
// with two more zero bytes, all inside a buffer of kFileFilterSize bytes: a
// list too long for it keeps the pieces that fit before the first that does
// not, and nothing is ever written past the buffer.
#pragma once

#include <string>

constexpr int kFileFilterSize = 257;
// The file name buffer of the requester, terminating zero included.
constexpr int kFileNameSize = 260;

struct FileFilter {
    char text[kFileFilterSize]; // zero bytes after the list
    int used;                   // bytes of the list, its closing zeros included
    int entries;                // entries offered, "All files" included
    // The first piece of a non-empty list (empty otherwise) and the file
    // name the requester starts with: "*." and that piece, or empty when
    // there is no piece or the pattern would not fit the file name buffer.
    std::string defaultExtension;
    std::string initialName;
};

FileFilter buildFileFilter(const char* extensions);
