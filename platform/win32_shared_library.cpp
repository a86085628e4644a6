// Outside libraries on Windows: LoadLibraryA, GetProcAddress, FreeLibrary.
#include <windows.h>

#include "platform/shared_library.h"

namespace platform {

void* loadLibrary(const char* name) { return reinterpret_cast<void*>(LoadLibraryA(name)); }

void* librarySymbol(void* library, const char* name) {
    return reinterpret_cast<void*>(GetProcAddress(static_cast<HMODULE>(library), name));
}

void freeLibrary(void* library) { FreeLibrary(static_cast<HMODULE>(library)); }

} // namespace platform
