// Arrays dimensioned at run time (_krDimArray, _krUndimArray) and vectors,
// the fixed-size arrays inside fields and variables (_krVecAlloc, _krVecFree),
// with the two bounds errors that compiled code raises through them.
//
// An array's elements are 4 bytes each; after dimensioning, size i of the
// descriptor holds the number of elements spanned by one step of index i + 1,
// and the last size the total count.
#include <climits>
#include <cstdlib>

#include "lang/kr_string.h"
#include "lang/language_types.h"
#include "platform/low_memory.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

// Releases the strings or objects among `count` elements.
void releaseElements(int32_t kind, int32_t* elements, int64_t count) {
    if (kind == kKindString) {
        for (int64_t i = 0; i < count; ++i)
            release(reinterpret_cast<KrString*>(static_cast<uintptr_t>(static_cast<uint32_t>(elements[i]))));
    } else if (kind == kKindObject) {
        for (int64_t i = 0; i < count; ++i)
            _krObjRelease(reinterpret_cast<KrObjHeader*>(static_cast<uintptr_t>(static_cast<uint32_t>(elements[i]))));
    }
}

} // namespace

extern "C" {

__attribute__((stdcall)) void _krDimArray(KrArrayDesc* array) {
    // Highest index k gives k + 1 elements (indices 0 to k); -1 gives an
    // empty dimension. The product is checked before it is stored, so a
    // size that would wrap never reaches the allocation.
    const int32_t dims = array->dimensions;
    for (int i = 0; i < dims; ++i)
        if (array->sizes[i] < -1)
            runtimeError("Illegal array dimension: highest index %d", static_cast<int>(array->sizes[i]));
    int64_t total = 1;
    for (int i = 0; i < dims; ++i) {
        total *= static_cast<int64_t>(array->sizes[i]) + 1;
        if (total > INT32_MAX / 4) runtimeError("Array too large");
    }
    int64_t running = 1;
    for (int i = 0; i < dims; ++i) {
        running *= static_cast<int64_t>(array->sizes[i]) + 1;
        array->sizes[i] = static_cast<int32_t>(running);
    }
    void* data = platform::callocateLow(total > 0 ? static_cast<size_t>(total) : 1, 4);
    if (!data) runtimeError("Out of memory");
    array->data = data;
}

__attribute__((stdcall)) void _krUndimArray(KrArrayDesc* array) {
    if (!array->data) return;
    int64_t total = array->dimensions > 0 ? array->sizes[array->dimensions - 1] : 1;
    releaseElements(array->elementKind, static_cast<int32_t*>(static_cast<void*>(array->data)), total);
    platform::freeLow(array->data);
    array->data = nullptr;
}

__attribute__((stdcall)) void _krArrayBoundsEx() { runtimeError("Array index out of bounds"); }

__attribute__((stdcall)) void* _krVecAlloc(const KrVectorType* type) {
    int32_t count = type->count < 0 ? 0 : type->count;
    void* storage = platform::callocateLow(count > 0 ? static_cast<size_t>(count) : 1, 4);
    if (!storage) runtimeError("Out of memory");
    return storage;
}

__attribute__((stdcall)) void _krVecFree(void* storage, const KrVectorType* type) {
    if (!storage) return;
    releaseElements(type->elementType->kind, static_cast<int32_t*>(storage), type->count);
    platform::freeLow(storage);
}

__attribute__((stdcall)) void _krVecBoundsEx() { runtimeError("Vorn array index out of bounds"); }

} // extern "C"

KR_INTERNAL(Language, _krDimArray, "void VORN_API _krDimArray(void* array)");
KR_INTERNAL(Language, _krUndimArray, "void VORN_API _krUndimArray(void* array)");
KR_INTERNAL(Language, _krArrayBoundsEx, "void VORN_API _krArrayBoundsEx(void)");
KR_INTERNAL(Language, _krVecAlloc, "void* VORN_API _krVecAlloc(void* type)");
KR_INTERNAL(Language, _krVecFree, "void VORN_API _krVecFree(void* storage, void* type)");
KR_INTERNAL(Language, _krVecBoundsEx, "void VORN_API _krVecBoundsEx(void)");
