// SystemProperty: the processor, the operating system's name and the
// program's and the system's directories, by property name in any letter
// case.
#include <cstring>
#include <string>
#include <strings.h>

#include "lang/kr_string.h"
#include "platform/system_info.h"
#include "runtime/symbol_registration.h"
#include "system/system_properties.h"

const char* osName(unsigned major, unsigned minor, unsigned build) {
    struct Entry {
        unsigned major, minor;
        const char* name;
    };
    static const Entry names[] = {
        {3, 51, "Windows NT 3.1"}, {4, 0, "Windows 95"},    {4, 10, "Windows 98"},
        {4, 90, "Windows ME"},     {5, 0, "Windows 2000"},  {5, 1, "Windows XP"},
        {6, 0, "Windows Vista"},   {6, 1, "Windows 7"},     {6, 2, "Windows 8"},
        {6, 3, "Windows 8.1"},
    };
    // Windows 11 kept the version 10.0; only its build numbers tell it apart.
    if (major == 10 && minor == 0) return build >= 22000 ? "Windows 11" : "Windows 10";
    for (const Entry& entry : names)
        if (entry.major == major && entry.minor == minor) return entry.name;
    return "";
}

namespace {

std::string property(const char* name) {
    if (!strcasecmp(name, "cpu")) return "Intel";
    if (!strcasecmp(name, "os")) {
        platform::OsVersion version;
        return platform::osVersion(version) ? osName(version.major, version.minor, version.build) : "";
    }
    if (!strcasecmp(name, "appdir")) return platform::applicationDirectory();
    if (!strcasecmp(name, "windowsdir")) return platform::windowsDirectory();
    if (!strcasecmp(name, "systemdir")) return platform::systemDirectory();
    if (!strcasecmp(name, "tempdir")) return platform::tempDirectory();
    return "";
}

} // namespace

extern "C" __attribute__((stdcall)) KrString* SystemProperty(KrString* name) {
    std::string value = property(krText(name));
    return krNewString(value.data(), static_cast<int>(value.size()));
}

KR_COMMAND(Runtime, "$SystemProperty$property", SystemProperty);
