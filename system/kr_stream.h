// KrStream: the abstract byte stream behind every input and output command.
// Files, TCP and UDP streams and child-process pipes derive from it; banks
// read from and write to any stream through it.
#pragma once

#include "runtime/resource.h"

class KrStream : public KrResource {
public:
    static constexpr const char* kHandleName = "Stream";

    // Reads up to `count` bytes; the number read (0 at the end or on failure).
    virtual int read(void* buffer, int count) = 0;
    // Writes `count` bytes; the number written.
    virtual int write(const void* buffer, int count) = 0;
    // The number of bytes that can be read without waiting.
    virtual int avail() = 0;
    // 0 while more input may come; non-zero at the end or after a failure.
    virtual int eof() = 0;
};
