// The records that compiled code lays out and the runtime reads: type
// records, custom-type object headers and type descriptors, vector type
// records and array descriptors, with exactly the compiler's layouts, and the
// internal routines that other parts of the language support call.
#pragma once

#include <cstddef>
#include <cstdint>

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
    int32_t* fields;      // the field values, 0 once the object is deleted
    KrObjHeader* next;
    KrObjHeader* prev;
    KrTypeDesc* type;     // 0 in an anchor
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
    const KrTypeRecord* fieldTypes[1]; // fieldCount entries
};

// A vector's type record: a fixed-size array inside a field or variable.
struct KrVectorType {
    int32_t kind; // 6
    int32_t count;
    const KrTypeRecord* elementType;
};

// An array descriptor. Before _krDimArray the sizes hold each dimension's
// highest index; after it, the cumulative element counts.
struct KrArrayDesc {
    void* data;
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
