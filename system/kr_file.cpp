// KrFile: reads, writes, end-of-file test and positioning over a C FILE.
#include "system/kr_file.h"

// Commands run on the main thread only, so single bytes can come straight
// from the stream's buffer without its lock.
#ifdef _WIN32
#define KR_GETC_UNLOCKED _getc_nolock
#else
#define KR_GETC_UNLOCKED getc_unlocked
#endif

KrFile* KrFile::open(const char* name, const char* mode) {
    FILE* file = std::fopen(name, mode);
    return file ? new KrFile(file) : nullptr;
}

KrFile::~KrFile() { std::fclose(file_); }

// The C library needs a positioning call between a write and a following
// read, and between a read and a following write; without it the buffered
// bytes of one direction are taken for the other.
void KrFile::turnTo(Direction direction) {
    if (last_ != Direction::kNone && last_ != direction) std::fseek(file_, 0, SEEK_CUR);
    last_ = direction;
}

int KrFile::read(void* buffer, int count) {
    if (count <= 0) return 0;
    turnTo(Direction::kReading);
    // Single bytes (ReadLine, ReadByte) skip fread's block handling.
    if (count == 1) {
        int c = KR_GETC_UNLOCKED(file_);
        if (c == EOF) return 0;
        *static_cast<unsigned char*>(buffer) = static_cast<unsigned char>(c);
        return 1;
    }
    return static_cast<int>(std::fread(buffer, 1, static_cast<size_t>(count), file_));
}

int KrFile::write(const void* buffer, int count) {
    if (count <= 0) return 0;
    turnTo(Direction::kWriting);
    return static_cast<int>(std::fwrite(buffer, 1, static_cast<size_t>(count), file_));
}

int KrFile::avail() { return 0; }

int KrFile::eof() {
    turnTo(Direction::kReading);
    int c = std::fgetc(file_);
    if (c == EOF) {
        // Clear the end and error flags so that writing on may follow.
        std::clearerr(file_);
        return 1;
    }
    std::ungetc(c, file_);
    return 0;
}

int KrFile::pos() { return static_cast<int>(std::ftell(file_)); }

int KrFile::seek(int position) {
    std::fseek(file_, position, SEEK_SET);
    last_ = Direction::kNone;
    return static_cast<int>(std::ftell(file_));
}
