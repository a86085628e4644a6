// The records that compiled code lays out and the runtime reads: type
// records, custom-type object headers and type descriptors, vector type
// records and array descriptors, with exactly the compiler's layouts, and the
// internal routines that other parts of the language support call.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/runtime_error.h"

// An address in a record of compiled code: 32 bits. On a 32-bit target it is
// the plain pointer. On a 64-bit host (the native test build) the field keeps
// the 32-bit address, and what it names lives in the low 4 GB (the program's
// image, the runtime's own data, platform/low_memory.h), so the records keep
// their layouts there too.
#if UINTPTR_MAX > 0xFFFFFFFFu
template <typename T>
class KrPtr32 {
public:
    KrPtr32() = default;
    KrPtr32(T* pointer) : bits_(narrow(pointer)) {}
    operator T*() const { return reinterpret_cast<T*>(static_cast<uintptr_t>(bits_)); }
    T* operator->() const { return *this; }

private:
    static uint32_t narrow(T* pointer) {
        uintptr_t address = reinterpret_cast<uintptr_t>(pointer);
        if (address > 0xFFFFFFFFu) internalError("Address above 4 GB in a 32-bit field");
        return static_cast<uint32_t>(address);
    }
    uint32_t bits_;
};
#else
template <typename T>
using KrPtr32 = T*;
#endif

// The kinds of value, the first word of every type record.
enum KrKind : int32_t {
    kKindInt = 1,
    kKindFloat = 2,
    kKindString = 3,
    kKindCString = 4,
    kKindObject = 5,
    kKindVector = 6,
};

// A type record: its first word is the kind. Kinds 1-4 are the runtime's own
// cells _krIntType, _krFltType, _krStrType and _krCStrType.
struct KrTypeRecord {
    int32_t kind;
};

struct KrTypeDesc;

// An object header (20 bytes); the field values, 4 bytes each, follow it.
// The two anchors of a type descriptor are headers too, told apart by type 0.
struct KrObjHeader {
    KrPtr32<int32_t> fields; // the field values, 0 once the object is deleted
    KrPtr32<KrObjHeader> next;
    KrPtr32<KrObjHeader> prev;
    KrPtr32<KrTypeDesc> type; // 0 in an anchor
    int32_t refs;         // 1 when made, -1 in an anchor
};

// An empty list's anchor as the compiler emits it, for descriptors built in
// C++ (the runtime's tools and tests).
inline void initTypeAnchor(KrObjHeader& anchor) {
    anchor.fields = reinterpret_cast<int32_t*>(&anchor);
    anchor.next = anchor.prev = &anchor;
    anchor.type = nullptr;
    anchor.refs = -1;
}

// A custom type's descriptor (48 + 4n bytes), emitted by the compiler with
// both anchors pointing to themselves.
struct KrTypeDesc {
    int32_t kind; // 5
    KrObjHeader used;
    KrObjHeader free;
    int32_t fieldCount;
    KrPtr32<const KrTypeRecord> fieldTypes[1]; // fieldCount entries
};

// A vector's type record: a fixed-size array inside a field or variable.
struct KrVectorType {
    int32_t kind; // 6
    int32_t count;
    KrPtr32<const KrTypeRecord> elementType;
};

// An array descriptor. Before _krDimArray the sizes hold each dimension's
// highest index; after it, the cumulative element counts.
struct KrArrayDesc {
    KrPtr32<void> data;
    int32_t elementKind;
    int32_t dimensions;
    int32_t sizes[1]; // dimensions entries
};

static_assert(sizeof(KrObjHeader) == 20);
static_assert(offsetof(KrTypeDesc, used) == 4 && offsetof(KrTypeDesc, free) == 24);
static_assert(offsetof(KrTypeDesc, fieldCount) == 44 && offsetof(KrTypeDesc, fieldTypes) == 48);
static_assert(offsetof(KrVectorType, elementType) == 8);
static_assert(offsetof(KrArrayDesc, sizes) == 12);

extern "C" {
__attribute__((stdcall)) void _krObjRelease(KrObjHeader* object);
__attribute__((stdcall)) void* _krVecAlloc(const KrVectorType* type);
__attribute__((stdcall)) void _krVecFree(void* storage, const KrVectorType* type);
}
