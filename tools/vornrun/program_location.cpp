#include "tools/vornrun/program_location.h"

#include <algorithm>
#include <cstdio>

void ProgramLocator::addSymbol(const char* name, const uint8_t* address) {
    symbols_.emplace_back(reinterpret_cast<uintptr_t>(address), name);
    sorted_ = false;
}

namespace {

bool numbered(const std::string& name) {
    return name.size() > 1 && name[0] == '_' &&
           name.find_first_not_of("0123456789", 1) == std::string::npos;
}

} // namespace

std::string ProgramLocator::describe(uintptr_t address) const {
    if (!contains(address)) return "";
    if (!sorted_) {
        auto& list = const_cast<std::vector<std::pair<uintptr_t, std::string>>&>(symbols_);
        std::sort(list.begin(), list.end());
        sorted_ = true;
    }
    auto after = std::upper_bound(symbols_.begin(), symbols_.end(), address,
                                  [](uintptr_t a, const auto& symbol) { return a < symbol.first; });
    std::string name = "code";
    uintptr_t start = reinterpret_cast<uintptr_t>(base_);
    if (after != symbols_.begin()) {
        // Of several names at one address, a real name rather than a numbered
        // one (_12, given to sections and static symbols).
        auto at = std::prev(after);
        start = at->first;
        name = at->second;
        for (;; --at) {
            if (!numbered(at->second)) name = at->second;
            if (at == symbols_.begin() || std::prev(at)->first != start) break;
        }
    }
    char offset[16];
    std::snprintf(offset, sizeof offset, "+0x%lx", static_cast<unsigned long>(address - start));
    return name + offset;
}

// A return address follows a near call: E8 rel32, or FF /2 with a register,
// memory or displacement operand (2, 3, 6 or 7 bytes long).
bool ProgramLocator::followsCall(uintptr_t address) const {
    const uint8_t* at = reinterpret_cast<const uint8_t*>(address);
    auto inCode = [&](int back) { return contains(address - back); };
    if (inCode(5) && at[-5] == 0xE8) return true;
    for (int length : {2, 3, 6, 7})
        if (inCode(length) && at[-length] == 0xFF && ((at[-length + 1] >> 3) & 7) == 2) return true;
    return false;
}

uintptr_t ProgramLocator::findCall(const uint32_t* from, const uint32_t* to) const {
    for (const uint32_t* word = from; word < to; ++word)
        if (contains(*word) && followsCall(*word)) return *word;
    return 0;
}
