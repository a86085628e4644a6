// The registry behind nextSymbol and symbolValue.
#include "runtime/symbol_registry.h"

#include "runtime/symbol_registration.h"

namespace {

void insertEntry(void* context, const char* name, uint32_t value) {
    // An entry whose name text is already present is not replaced.
    static_cast<std::map<const char*, uint32_t, std::less<const char*>>*>(context)->emplace(name, value);
}

} // namespace

void SymbolRegistry::fill() {
    linkLanguageCore(insertEntry, &entries_);
    linkRuntimeCommands(insertEntry, &entries_);
    linkGadgetCommands(insertEntry, &entries_);
    link2DCommands(insertEntry, &entries_);
    cursor_ = entries_.begin();
}

const char* SymbolRegistry::next() {
    if (entries_.empty()) {
        fill();
        if (entries_.empty()) return nullptr;
    }
    if (cursor_ == entries_.end()) {
        clear();
        return nullptr;
    }
    const char* name = cursor_->first;
    ++cursor_;
    return name;
}

int SymbolRegistry::valueOf(const char* name) const {
    auto it = entries_.find(name);
    return it == entries_.end() ? -1 : static_cast<int>(it->second);
}

void SymbolRegistry::clear() {
    entries_.clear();
    cursor_ = entries_.end();
}
