#include "runtime/command_line.h"

#include <cstring>

std::string argumentText(const char* commandLine) {
    const char* p = commandLine ? commandLine : "";
    while (*p == ' ') ++p;
    if (*p == '"') {
        const char* close = std::strchr(p + 1, '"');
        return close ? std::string(close + 1) : std::string();
    }
    const char* space = std::strchr(p, ' ');
    return space ? std::string(space + 1) : std::string();
}
