// The key under which compiled code refers to a registered name: internal
// names gain a leading '_' (_krStrConcat is called as __krStrConcat), command
// signatures become '_f' and the lower-cased command name ("%MilliSecs" is
// _fmillisecs).
#pragma once

#include <cctype>
#include <string>

inline std::string linkKey(const char* name) {
    if (name[0] == '_') return std::string("_") + name;
    const char* p = name;
    if (!std::isalnum(static_cast<unsigned char>(*p))) ++p;
    std::string key = "_f";
    for (; std::isalnum(static_cast<unsigned char>(*p)) || *p == '_'; ++p)
        key += static_cast<char>(std::tolower(static_cast<unsigned char>(*p)));
    return key;
}
