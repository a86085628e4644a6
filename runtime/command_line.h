// Splitting the process command line into program name and argument text.
#pragma once

#include <string>

// The argument text of a process command line: leading spaces dropped, then
// everything after the (possibly quoted) program name. After a quoted name
// the text keeps its leading blank.
std::string argumentText(const char* commandLine);
