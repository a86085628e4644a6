// The fixed registration order of the four symbol groups.
#pragma once

#include "runtime/symbol_registration.h"

struct SymbolOrder {
    const char* const* names; // internal names in full, commands by their bare name
    int count;
};

SymbolOrder symbolOrder(SymbolGroup group);
