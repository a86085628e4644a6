// The symbol registry: (name text, value) pairs keyed by the identity of the
// name text, filled on demand from the four link functions and emptied at the
// end of each complete enumeration.
#pragma once

#include <cstdint>
#include <functional>
#include <map>

class SymbolRegistry {
public:
    // The next name of the current enumeration, or null once it has passed
    // the last entry (which empties the registry).
    const char* next();
    // The value registered for exactly this name text, or -1.
    int valueOf(const char* name) const;
    void clear();
    bool empty() const { return entries_.empty(); }

private:
    void fill();

    std::map<const char*, uint32_t, std::less<const char*>> entries_;
    std::map<const char*, uint32_t, std::less<const char*>>::const_iterator cursor_;
};
