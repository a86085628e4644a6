// KrDir: a listing of one directory's entries, fetched one name at a time in
// the platform's order, "." and ".." included. Win32Dir (win32_dir.cpp) is
// the platform's implementation.
#pragma once

#include "lang/kr_string.h"
#include "runtime/resource.h"

class KrDir : public KrResource {
public:
    static constexpr const char* kHandleName = "Directory";

    // True while an entry is waiting to be fetched.
    virtual bool more() = 0;
    // The waiting entry's bare name as a new string, then advances; the
    // empty string when no entry is waiting.
    virtual KrString* next() = 0;
};

// Starts a listing of the directory `name`. A directory that cannot be listed
// still gives a listing, one with no entries.
KrDir* krOpenDir(const char* name);
