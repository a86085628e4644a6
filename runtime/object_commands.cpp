// The object inspection commands: DebugObjects, ActiveObjects, QueryObject.
#include <cxxabi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <typeinfo>

#include "runtime/object.h"
#include "runtime/symbol_registration.h"

namespace {

constexpr int kWidth = 52;
constexpr int kNameColumn = 2;
constexpr int kCountColumn = 42;

// The run-time class name as the platform's type information spells it
// ("class KrString").
std::string className(const KrObject& object) {
    const char* mangled = typeid(object).name();
    int status = 0;
    char* plain = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
    std::string name = std::string("class ") + (status == 0 && plain ? plain : mangled);
    std::free(plain);
    return name;
}

// A 52-column line framed by asterisks, with `text` from column 3 and the
// count from column 43.
std::string framedLine(const std::string& text, const char* count) {
    std::string line(kWidth, ' ');
    line.front() = line.back() = '*';
    // A name too long for its columns is cut short, keeping one space before
    // the count and every line 52 columns wide.
    size_t name = std::min<size_t>(text.size(), kCountColumn - kNameColumn - 1);
    line.replace(kNameColumn, name, text, 0, name);
    size_t n = std::min<size_t>(std::strlen(count), kWidth - 1 - kCountColumn);
    line.replace(kCountColumn, n, count, n);
    return line;
}

} // namespace

extern "C" {

__attribute__((stdcall)) void DebugObjects() {
    std::map<std::string, int> counts;
    liveObjects().forEach([&](const void* address) { ++counts[className(*static_cast<const KrObject*>(address))]; });
    const char* rule = "****************************************************";
    const char* divider = "* ------------------------------------------------ *";
    debugLog("%s", rule);
    debugLog("%s", "* Object type                             Count    *");
    debugLog("%s", divider);
    int total = 0;
    for (const auto& [name, count] : counts) {
        char number[16];
        std::snprintf(number, sizeof number, "%d", count);
        debugLog("%s", framedLine(name, number).c_str());
        total += count;
    }
    debugLog("%s", divider);
    char totalText[64];
    std::snprintf(totalText, sizeof totalText, "* Total Objects                           %i", total);
    std::string totalLine = totalText;
    totalLine.resize(kWidth - 1, ' ');
    totalLine += '*';
    debugLog("%s", totalLine.c_str());
    debugLog("%s", rule);
}

__attribute__((stdcall)) int ActiveObjects() { return static_cast<int>(liveObjects().size()); }

// A handle that names no live object gives 0 rather than a call through
// whatever the address holds.
__attribute__((stdcall)) int QueryObject(int object, int queryId) {
    KrObject* live = liveObject(object);
    return live ? live->query(queryId) : 0;
}

}

KR_COMMAND(Runtime, "DebugObjects", DebugObjects);
KR_COMMAND(Runtime, "%ActiveObjects", ActiveObjects);
KR_COMMAND(Runtime, "%QueryObject%object%query_id", QueryObject);
