// File stream throughput: writing and reading a file through WriteBytes and
// ReadBytes with 64 KB banks, and writing and reading short lines with
// WriteLine and ReadLine. The file lies in the current directory and is
// removed at the end.
#include <cstdio>

#include "bench/support/bench_clock.h"
#include "lang/kr_string.h"

extern "C" {
__attribute__((stdcall)) int CreateBank(int size);
__attribute__((stdcall)) void FreeBank(int bank);
__attribute__((stdcall)) void PokeByte(int bank, int offset, int value);
__attribute__((stdcall)) int ReadBytes(int bank, int stream, int offset, int count);
__attribute__((stdcall)) int WriteBytes(int bank, int stream, int offset, int count);
__attribute__((stdcall)) int WriteFile(KrString* name);
__attribute__((stdcall)) int ReadFile(KrString* name);
__attribute__((stdcall)) void CloseFile(int file);
__attribute__((stdcall)) int Eof(int stream);
__attribute__((stdcall)) void WriteLine(int stream, KrString* text);
__attribute__((stdcall)) KrString* ReadLine(int stream);
}

int main() {
    const char* fileName = "stream_bench.tmp";
    KrString* name = krNewString(fileName);
    const int chunk = 65536;
    const int chunks = 1024; // 64 MB
    int bank = CreateBank(chunk);
    for (int i = 0; i < chunk; ++i) PokeByte(bank, i, i * 31);

    BenchClock writeClock;
    int file = WriteFile(name);
    for (int i = 0; i < chunks; ++i) WriteBytes(bank, file, 0, chunk);
    CloseFile(file);
    double megabytes = double(chunk) * chunks / 1048576.0;
    report("WriteBytes 64 KB to a file", megabytes / writeClock.seconds(), "MB/s");

    BenchClock readClock;
    file = ReadFile(name);
    long long total = 0;
    for (int n; (n = ReadBytes(bank, file, 0, chunk)) > 0;) total += n;
    CloseFile(file);
    report("ReadBytes 64 KB from a file", total / 1048576.0 / readClock.seconds(), "MB/s");
    FreeBank(bank);

    const int lines = 1000000;
    KrString* line = krNewString("a line of text of forty bytes or so....");
    BenchClock writeLineClock;
    file = WriteFile(name);
    for (int i = 0; i < lines; ++i) WriteLine(file, line);
    CloseFile(file);
    report("WriteLine of 39 bytes", lines / writeLineClock.seconds() / 1e6, "million lines/s");

    BenchClock readLineClock;
    file = ReadFile(name);
    int count = 0;
    while (!Eof(file)) {
        ReadLine(file)->release();
        ++count;
    }
    CloseFile(file);
    report("ReadLine of 39 bytes", count / readLineClock.seconds() / 1e6, "million lines/s");

    line->release();
    name->release();
    std::remove(fileName);
    return count == lines ? 0 : 1;
}
