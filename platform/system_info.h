// What SystemProperty asks the platform: the operating system's version and
// the directories of the program and of the system.
#pragma once

#include <string>

namespace platform {

struct OsVersion {
    unsigned major = 0;
    unsigned minor = 0;
    unsigned build = 0;
};

// The real version of the running system (not the one the system shows to
// programs without a compatibility manifest); false when it cannot be asked.
bool osVersion(OsVersion& version);

// The directories, each ending with a backslash; "" when a query fails.
std::string applicationDirectory();
std::string windowsDirectory();
std::string systemDirectory();
std::string tempDirectory();

} // namespace platform
