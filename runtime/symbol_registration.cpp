// Collects the registrations made at static initialisation and lays them out
// in registration order, with every name text copied into one pool so that the
// texts' addresses ascend in that order.
#include "runtime/symbol_registration.h"

#include <cctype>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/symbol_order.h"

namespace {

struct Pending {
    SymbolGroup group;
    const char* name;
    uint32_t value;
    const char* prototype;
};

std::vector<Pending>& pending() {
    static std::vector<Pending> list;
    return list;
}

// The command name inside a signature: after the optional result type, up to
// the first parameter.
std::string_view commandName(const char* signature) {
    const char* p = signature;
    if (*p == '%' || *p == '#' || *p == '$') ++p;
    const char* end = p;
    while (std::isalnum(static_cast<unsigned char>(*end)) || *end == '_') ++end;
    return std::string_view(p, end - p);
}

std::string_view orderKey(const char* name) {
    return name[0] == '_' ? std::string_view(name) : commandName(name);
}

struct Layout {
    std::vector<SymbolEntry> entries;
    std::vector<char> pool;
    int unplaced = 0;
    SymbolTable table{};
};

Layout buildLayout() {
    Layout layout;
    std::vector<Pending> ordered;
    std::vector<bool> placed(pending().size(), false);
    for (SymbolGroup group : {SymbolGroup::Language, SymbolGroup::Runtime, SymbolGroup::Gadget,
                              SymbolGroup::Graphics2D}) {
        SymbolOrder order = symbolOrder(group);
        for (int i = 0; i < order.count; ++i) {
            for (size_t j = 0; j < pending().size(); ++j) {
                const Pending& p = pending()[j];
                if (!placed[j] && p.group == group && orderKey(p.name) == order.names[i]) {
                    ordered.push_back(p);
                    placed[j] = true;
                }
            }
        }
        // Names missing from the group's list still link, after the listed ones.
        for (size_t j = 0; j < pending().size(); ++j) {
            if (!placed[j] && pending()[j].group == group) {
                ordered.push_back(pending()[j]);
                placed[j] = true;
                ++layout.unplaced;
            }
        }
    }

    size_t poolSize = 0;
    for (const Pending& p : ordered) poolSize += std::strlen(p.name) + 1;
    layout.pool.resize(poolSize);
    char* text = layout.pool.data();
    for (const Pending& p : ordered) {
        size_t n = std::strlen(p.name) + 1;
        std::memcpy(text, p.name, n);
        layout.entries.push_back(SymbolEntry{p.group, text, p.value, p.prototype});
        text += n;
    }
    layout.table = SymbolTable{layout.entries.data(), static_cast<int>(layout.entries.size())};
    return layout;
}

const Layout& layout() {
    static const Layout built = buildLayout();
    return built;
}

void linkGroup(SymbolGroup group, SymbolSink sink, void* context) {
    const SymbolTable& table = registeredSymbols();
    for (int i = 0; i < table.count; ++i)
        if (table.entries[i].group == group) sink(context, table.entries[i].name, table.entries[i].value);
}

} // namespace

SymbolRegistration::SymbolRegistration(SymbolGroup group, const char* name, const void* value,
                                       const char* prototype) {
    pending().push_back(Pending{group, name, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(value)),
                                prototype});
}

const SymbolTable& registeredSymbols() { return layout().table; }

int unplacedSymbolCount() { return layout().unplaced; }

void linkLanguageCore(SymbolSink sink, void* context) { linkGroup(SymbolGroup::Language, sink, context); }
void linkRuntimeCommands(SymbolSink sink, void* context) { linkGroup(SymbolGroup::Runtime, sink, context); }
void linkGadgetCommands(SymbolSink sink, void* context) { linkGroup(SymbolGroup::Gadget, sink, context); }
void link2DCommands(SymbolSink sink, void* context) { linkGroup(SymbolGroup::Graphics2D, sink, context); }
