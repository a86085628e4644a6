// Fuzz target: the module image reader and linker on arbitrary bytes, linked
// against the runtime's registry. An image that links is not run.
#include <sys/mman.h>

#include <cstddef>
#include <cstdint>
#include <string>

#include "runtime/module_linker.h"
#include "runtime/runtime.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    LinkedModule module;
    std::string error;
    if (linkModuleImage(data, size, *runtimeGetRuntime(), module, error))
        munmap(module.base, module.size + kLinkedCodeGuard); // linked code is otherwise kept for good
    return 0;
}
