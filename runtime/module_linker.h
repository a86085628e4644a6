// Loading and linking a module image.
//
// The image holds the program's code block, its symbol table and its relative
// and absolute relocation tables. Linking copies the code into executable
// memory, resolves every relocation against the module's own symbols first and
// the runtime's registry second, and patches the code. The same rules serve
// the program's own entry point and outside hosts.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

class Runtime;

// Zero bytes that follow a linked code block: a text or table of a corrupt
// image that runs to the end of its code ends there instead of in whatever
// memory follows.
constexpr size_t kLinkedCodeGuard = 8;

struct LinkedModule {
    uint8_t* base = nullptr; // start of the code block, the program's entry point
    uint32_t size = 0;
};

// Links `image` against `runtime`'s registry. On failure returns false with
// the fatal text ("Can't find symbol: _fnosuch", "Illegal symbol value", ...)
// in `error`; the registry is then left empty.
bool linkModuleImage(const uint8_t* image, size_t imageSize, Runtime& runtime, LinkedModule& module,
                     std::string& error);

// Calls `visit` for every symbol of a linked image with its absolute address.
// For hosts and tests that need to find the program's own symbols.
using SymbolVisitor = void (*)(void* context, const char* name, uint8_t* address);
void setModuleSymbolVisitor(SymbolVisitor visit, void* context);
