// The runtime library's PE image turned into a finished program's executable.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Turns the library image in `file` into an executable entered at
// _krWinMain@0, with the GUI subsystem (no console window unless the program
// makes one) or, when `console` is set, the console subsystem. False with a
// message in `error` when the file is not the runtime library.
bool makeExecutable(std::vector<uint8_t>& file, bool console, std::string& error);
