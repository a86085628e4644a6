// User libraries and CallDLL: the two ways compiled code reaches functions in
// outside DLLs.
//
// _krLoadLibs binds the user-library table of the module image once at start:
// each declared function's slot receives the function's address, or a stub
// that raises a runtime error when the program calls through it, so a missing
// library or function fails only when it is used. The module "KrUserLibs"
// owns the libraries bound this way and frees them, last loaded first, when
// it stops. CallDLL looks a function up at the time of the call, keeps every
// library and address it found in a cache of its own for the rest of the
// process, and calls it with four 32-bit arguments describing two banks.
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "lang/kr_string.h"
#include "platform/shared_library.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"
#include "system/kr_bank.h"

namespace {

class KrUserLibs : public KrModule {
public:
    KrUserLibs() { setup("KrUserLibs"); }

    void shutdown() override {
        while (!libraries.empty()) {
            platform::freeLibrary(libraries.back());
            libraries.pop_back();
        }
    }

    std::vector<void*> libraries;
};

KrUserLibs userLibs;

// The fallback path of a library: vornpath + "/userlibs/" + name, which must
// fit the loader's 260-byte path buffer with its terminator. A longer path is
// not tried at all.
constexpr size_t kPathBufferSize = 260;

void* loadWithFallback(const char* name, const std::string* vornpath) {
    if (void* library = platform::loadLibrary(name)) return library;
    if (!vornpath) return nullptr;
    static const char kUserLibs[] = "/userlibs/";
    size_t length = vornpath->size() + (sizeof kUserLibs - 1) + std::strlen(name);
    if (length + 1 > kPathBufferSize) return nullptr;
    char path[kPathBufferSize];
    std::memcpy(path, vornpath->data(), vornpath->size());
    std::strcpy(path + vornpath->size(), kUserLibs);
    std::strcat(path, name);
    return platform::loadLibrary(path);
}

// A slot is 32 bits wide, like every address in the image. On a 64-bit host
// (the native test build) a function whose address does not fit is one the
// program cannot reach, and its slot takes the not-found stub instead.
void storeSlot(const uint8_t* at, void* value, void* unreachable) {
    uint32_t slot;
    std::memcpy(&slot, at, 4); // slot addresses follow the names unaligned
    // A table cut short by the end of a corrupt image reads a slot of 0 there.
    if (slot == 0) return;
    uintptr_t address = reinterpret_cast<uintptr_t>(value);
    if (address > 0xFFFFFFFFu) address = reinterpret_cast<uintptr_t>(unreachable);
    uint32_t stored = static_cast<uint32_t>(address);
    std::memcpy(reinterpret_cast<void*>(static_cast<uintptr_t>(slot)), &stored, 4);
}

struct DllRecord {
    void* library;
    std::map<std::string, void*> functions;
};

std::map<std::string, DllRecord>& callCache() {
    static std::map<std::string, DllRecord> cache;
    return cache;
}

// Calls `function` with four 32-bit arguments, pushed last to first. The
// stack pointer is kept in a callee-saved register across the call and put
// back afterwards, so it does not matter whether the function removes its
// arguments (stdcall) or leaves them to the caller (cdecl).
int callWithFourArguments(void* function, int a, int b, int c, int d) {
#if defined(__i386__)
    const int arguments[4] = {a, b, c, d};
    int result;
    asm volatile("movl %%esp, %%esi\n\t"
                 "pushl 12(%2)\n\t"
                 "pushl 8(%2)\n\t"
                 "pushl 4(%2)\n\t"
                 "pushl (%2)\n\t"
                 "call *%1\n\t"
                 "movl %%esi, %%esp"
                 : "=a"(result)
                 : "r"(function), "r"(arguments)
                 : "ecx", "edx", "esi", "memory", "cc");
    return result;
#else
    // Elsewhere (the native test build) one calling convention serves both.
    return reinterpret_cast<int (*)(int, int, int, int)>(function)(a, b, c, d);
#endif
}

void bankArguments(int bank, int& address, int& size) {
    address = 0;
    size = 0;
    if (!bank) return;
    KrBank* b = castHandle<KrBank>(bank);
    uintptr_t at = reinterpret_cast<uintptr_t>(b->data());
    // Banks of the program's own live in the low 4 GB everywhere; a locked
    // buffer's pixels above it (only on a 64-bit host) cannot be passed.
    if (at > 0xFFFFFFFFu) internalError("Bank above 4 GB passed to CallDLL");
    address = static_cast<int>(static_cast<uint32_t>(at));
    size = b->size();
}

} // namespace

extern "C" {

// The slots of a library that could not be loaded, and of a function that a
// loaded library lacks. Compiled code calls them with the declared function's
// arguments; they never return, so the arguments are never removed.
__attribute__((stdcall)) void krUserLibNotFound() { raiseRuntimeError("User lib not found"); }
__attribute__((stdcall)) void krUserLibFunctionNotFound() { raiseRuntimeError("User lib function not found"); }

__attribute__((stdcall)) void _krLoadLibs(const void* table) {
    const char* value = std::getenv("vornpath");
    std::string vornpath = value ? value : "";
    const uint8_t* p = static_cast<const uint8_t*>(table);
    while (*p) {
        const char* dllName = reinterpret_cast<const char*>(p);
        p += std::strlen(dllName) + 1;
        void* library = loadWithFallback(dllName, value ? &vornpath : nullptr);
        if (library) userLibs.libraries.push_back(library);
        while (*p) {
            const char* function = reinterpret_cast<const char*>(p);
            p += std::strlen(function) + 1;
            void* address = reinterpret_cast<void*>(&krUserLibNotFound);
            if (library) {
                address = platform::librarySymbol(library, function);
                if (!address) address = reinterpret_cast<void*>(&krUserLibFunctionNotFound);
            }
            storeSlot(p, address, reinterpret_cast<void*>(&krUserLibFunctionNotFound));
            p += 4;
        }
        ++p; // the NUL that ends this library's functions
    }
}

__attribute__((stdcall)) int CallDLL(KrString* dllName, KrString* funcName, int inBank, int outBank) {
    auto& cache = callCache();
    std::string dll = krText(dllName);
    auto record = cache.find(dll);
    if (record == cache.end()) {
        void* library = platform::loadLibrary(dll.c_str());
        if (!library) return -1;
        record = cache.emplace(dll, DllRecord{library, {}}).first;
    }
    std::string name = krText(funcName);
    auto& functions = record->second.functions;
    auto function = functions.find(name);
    if (function == functions.end()) {
        void* address = platform::librarySymbol(record->second.library, name.c_str());
        if (!address) return -1;
        function = functions.emplace(name, address).first;
    }
    int inAddress, inSize, outAddress, outSize;
    bankArguments(inBank, inAddress, inSize);
    bankArguments(outBank, outAddress, outSize);
    return callWithFourArguments(function->second, inAddress, inSize, outAddress, outSize);
}

}

KR_INTERNAL(Language, _krLoadLibs, "void VORN_API _krLoadLibs(const void* table)");
KR_COMMAND(Runtime, "%CallDLL$dll_name$func_name%in_bank=0%out_bank=0", CallDLL);
