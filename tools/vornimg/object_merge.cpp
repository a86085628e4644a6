#include "object_merge.h"

#include <map>
#include <string>

namespace vornimg {

namespace {

bool is_common(const CoffSymbol& sym) {
    return !sym.is_aux && sym.storage_class == coff::kClassExternal && sym.section == coff::kSectionUndefined &&
           sym.value != 0;
}

bool is_definition(const CoffSymbol& sym) {
    return !sym.is_aux && sym.storage_class == coff::kClassExternal && sym.section > 0;
}

}  // namespace

CoffObject merge_objects(const std::vector<CoffObject>& objects) {
    if (objects.size() == 1) return objects.front();
    CoffObject merged;
    for (const CoffObject& obj : objects) {
        const auto section_shift = static_cast<int16_t>(merged.sections.size());
        const auto symbol_shift = static_cast<uint32_t>(merged.symbols.size());
        if (merged.sections.size() + obj.sections.size() > 0x7fff)
            throw Error("the objects hold more sections than one image can number");
        for (CoffSection section : obj.sections) {
            for (CoffRelocation& r : section.relocations) r.symbol_index += symbol_shift;
            merged.sections.push_back(std::move(section));
        }
        for (CoffSymbol sym : obj.symbols) {
            if (!sym.is_aux && sym.section > 0) sym.section = static_cast<int16_t>(sym.section + section_shift);
            merged.symbols.push_back(std::move(sym));
        }
    }
    // Tentative definitions: one per name, and none beside a real definition.
    std::map<std::string, size_t> defined, largest_common;
    for (size_t i = 0; i < merged.symbols.size(); ++i) {
        const CoffSymbol& sym = merged.symbols[i];
        if (is_definition(sym)) defined.emplace(sym.name, i);
        if (is_common(sym)) {
            auto [it, fresh] = largest_common.emplace(sym.name, i);
            if (!fresh && merged.symbols[it->second].value < sym.value) it->second = i;
        }
    }
    for (size_t i = 0; i < merged.symbols.size(); ++i) {
        CoffSymbol& sym = merged.symbols[i];
        if (is_common(sym) && (defined.count(sym.name) || largest_common.at(sym.name) != i)) sym.value = 0;
    }
    return merged;
}

}  // namespace vornimg
