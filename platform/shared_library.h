// Loading outside libraries (DLLs) and looking functions up in them by name,
// for user libraries and CallDLL.
#pragma once

namespace platform {

// The library loaded by `name` with the system's own search rules (a name
// alone, or a path); null when it cannot be loaded.
void* loadLibrary(const char* name);
// The address of the exported function `name`; null when there is none.
void* librarySymbol(void* library, const char* name);
void freeLibrary(void* library);

} // namespace platform
