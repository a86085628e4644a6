// The program's text console, as the console commands see it: text written
// goes to the process's standard output when it has one (a console it was
// started from, a file or a pipe), and only a process with neither gets a
// console window of its own, made on first use.
#pragma once

namespace console {

// Writes `length` bytes to the console, making it first when needed; the
// bytes reach their destination before it returns.
void write(const char* bytes, int length);

} // namespace console
