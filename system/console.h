// The program's text console, as the console commands see it. Each direction
// uses the process's standard handle when it has one (a console it was
// started from, a file or a pipe); only a direction without one gets a
// console window of the program's own, made once, on first use, and titled
// with the application title.
#pragma once

namespace console {

// Writes `length` bytes to the console, making it first when needed; the
// bytes reach their destination before it returns.
void write(const char* bytes, int length);

// Reads one line as the C library's fgets does: at most size - 1 bytes, up
// to and including a line feed, NUL-terminated. A longer line leaves its rest
// for the next read. Returns the number of bytes read; 0 at the end of input
// or on failure.
int readLine(char* buffer, int size);

} // namespace console
