// Registration of the names that compiled code links against.
//
// Every command handler and internal routine announces itself once, at static
// initialisation, with a SymbolRegistration next to its definition. The four
// link functions (language core, runtime commands, gadget commands, 2D
// commands) then hand the registered entries to the registry in the fixed
// order of their group's name list (symbol_order.cpp). A name that nobody has
// registered is simply absent, so a program using it fails to link.
#pragma once

#include <cstdint>

enum class SymbolGroup { Language, Runtime, Gadget, Graphics2D };

struct SymbolEntry {
    SymbolGroup group;
    const char* name;      // a command signature or an internal name (leading '_')
    uint32_t value;        // handler or data cell address
    const char* prototype; // C declaration for sdk/vorn.h (internal names only)
};

struct SymbolRegistration {
    SymbolRegistration(SymbolGroup group, const char* name, const void* value,
                       const char* prototype = nullptr);
};

#define KR_SYM_CAT2(a, b) a##b
#define KR_SYM_CAT(a, b) KR_SYM_CAT2(a, b)

// Registers a command signature such as "%MilliSecs" with its handler.
#define KR_COMMAND(group, signature, handler) \
    static const SymbolRegistration KR_SYM_CAT(krSymbol_, __LINE__)(SymbolGroup::group, signature, \
                                                                    reinterpret_cast<const void*>(&handler))

// Registers an internal routine or data cell under its own name, with the C
// declaration that the SDK header gives it (routines are declared VORN_API,
// the header's stdcall marker).
#define KR_INTERNAL(group, name, prototype) \
    static const SymbolRegistration KR_SYM_CAT(krSymbol_, __LINE__)(SymbolGroup::group, #name, \
                                                                    reinterpret_cast<const void*>(&name), prototype)

// The callback that a link function calls once per entry.
using SymbolSink = void (*)(void* context, const char* name, uint32_t value);

// The four link functions, in the order the registry calls them.
void linkLanguageCore(SymbolSink sink, void* context);
void linkRuntimeCommands(SymbolSink sink, void* context);
void linkGadgetCommands(SymbolSink sink, void* context);
void link2DCommands(SymbolSink sink, void* context);

// Every registered entry in registration order; the name texts are stable for
// the life of the process and lie in ascending address order.
struct SymbolTable {
    const SymbolEntry* entries;
    int count;
};
const SymbolTable& registeredSymbols();

// The registered names that no group list places (a fault of the runtime's
// own registrations; tests check that there are none).
int unplacedSymbolCount();
