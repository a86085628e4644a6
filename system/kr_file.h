// KrFile: the stream over an open C library file, with its byte position.
//
// Files are binary; reading and writing may alternate freely (the stream
// repositions between the two directions, as the C library requires). A file
// is open until its last reference is released.
#pragma once

#include <cstdio>

#include "system/kr_stream.h"

class KrFile : public KrStream {
public:
    static constexpr const char* kHandleName = "File";

    // Opens `name` with a C library mode ("rb", "wb", "r+b"); null when the
    // file cannot be opened.
    static KrFile* open(const char* name, const char* mode);

    int read(void* buffer, int count) override;
    int write(const void* buffer, int count) override;
    // Always 0: a file never has bytes waiting.
    int avail() override;
    // 1 exactly when the next byte read would hit the end of the file.
    int eof() override;

    // The current byte position.
    virtual int pos();
    // Moves to `position` from the start; the new position.
    virtual int seek(int position);

private:
    enum class Direction { kNone, kReading, kWriting };

    explicit KrFile(FILE* file) : file_(file) {}
    ~KrFile() override;
    void turnTo(Direction direction);

    FILE* file_;
    Direction last_ = Direction::kNone;
};
