// Objects of the program's custom types and their lists (_krObj...).
//
// Each type descriptor anchors two circular lists of object headers: the used
// list (every object not yet released, deleted ones included while something
// still holds them) and the free list (headers ready for reuse). Headers come
// 512 at a time in blocks that are never returned, so creating and deleting
// objects in a loop allocates nothing once the free list is stocked.
//
// A deleted object has fields 0 and stays linked until its last reference
// goes; Next, Prev, First, Last and the each-loops skip it. Objects get small
// integer handles on request; a handle is never given out twice.
#include <cstdlib>
#include <cstring>
#include <unordered_map>

#include "lang/kr_string.h"
#include "lang/language_types.h"
#include "platform/low_memory.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

constexpr int kBlockObjects = 512;

bool isAnchor(const KrObjHeader* h) { return h->type == nullptr; }

void unlink(KrObjHeader* h) {
    h->prev->next = h->next;
    h->next->prev = h->prev;
}

void linkBefore(KrObjHeader* h, KrObjHeader* at) {
    h->next = at;
    h->prev = at->prev;
    at->prev->next = h;
    at->prev = h;
}

void linkAfter(KrObjHeader* h, KrObjHeader* at) { linkBefore(h, at->next); }

// Appends a new block of headers to the type's free list, in address order.
__attribute__((noinline)) void stockFreeList(KrTypeDesc* type) {
    size_t fields = static_cast<size_t>(type->fieldCount < 0 ? 0 : type->fieldCount);
    size_t objectSize = sizeof(KrObjHeader) + 4 * fields;
    if (fields > (SIZE_MAX / kBlockObjects - sizeof(KrObjHeader)) / 4) runtimeError("Out of memory");
    char* block = static_cast<char*>(platform::allocateLow(objectSize * kBlockObjects));
    if (!block) runtimeError("Out of memory");
    for (int i = 0; i < kBlockObjects; ++i) {
        KrObjHeader* h = reinterpret_cast<KrObjHeader*>(block + i * objectSize);
        h->fields = nullptr;
        h->type = type;
        h->refs = 0;
        linkBefore(h, &type->free);
    }
}

// The object -> handle and handle -> object maps, and the last handle given.
std::unordered_map<const KrObjHeader*, int>& handleOf() {
    static std::unordered_map<const KrObjHeader*, int> map;
    return map;
}
std::unordered_map<int, KrObjHeader*>& objectOf() {
    static std::unordered_map<int, KrObjHeader*> map;
    return map;
}
int lastHandle = 0;

void forgetHandle(const KrObjHeader* object) {
    auto& handles = handleOf();
    if (handles.empty()) return;
    auto found = handles.find(object);
    if (found == handles.end()) return;
    objectOf().erase(found->second);
    handles.erase(found);
}

// The first object from `h` on (in the direction `forward`) that is not
// deleted; null at the anchor.
KrObjHeader* liveFrom(KrObjHeader* h, bool forward) {
    for (; !isAnchor(h); h = forward ? h->next : h->prev)
        if (h->fields) return h;
    return nullptr;
}

} // namespace

extern "C" {

__attribute__((stdcall)) void _krObjRelease(KrObjHeader* object) {
    if (!object || --object->refs != 0) return;
    unlink(object);
    linkBefore(object, &object->type->free);
}

__attribute__((stdcall)) KrObjHeader* _krObjNew(KrTypeDesc* type) {
    if (type->free.next == &type->free) stockFreeList(type);
    KrObjHeader* h = type->free.next;
    unlink(h);
    h->type = type;
    h->refs = 1;
    int32_t* fields = reinterpret_cast<int32_t*>(h + 1);
    h->fields = fields;
    for (int i = 0; i < type->fieldCount; ++i) {
        const KrTypeRecord* fieldType = type->fieldTypes[i];
        if (fieldType->kind == kKindVector)
            fields[i] = static_cast<int32_t>(
                reinterpret_cast<uintptr_t>(_krVecAlloc(reinterpret_cast<const KrVectorType*>(fieldType))));
        else
            fields[i] = 0;
    }
    linkBefore(h, &type->used);
    return h;
}

__attribute__((stdcall)) void _krObjDelete(KrObjHeader* object) {
    if (!object || !object->fields) return;
    int32_t* fields = object->fields;
    const KrTypeDesc* type = object->type;
    for (int i = 0; i < type->fieldCount; ++i) {
        const KrTypeRecord* fieldType = type->fieldTypes[i];
        void* value = reinterpret_cast<void*>(static_cast<uintptr_t>(static_cast<uint32_t>(fields[i])));
        switch (fieldType->kind) {
        case kKindString: release(static_cast<KrString*>(value)); break;
        case kKindObject: _krObjRelease(static_cast<KrObjHeader*>(value)); break;
        case kKindVector: _krVecFree(value, reinterpret_cast<const KrVectorType*>(fieldType)); break;
        default: break;
        }
        fields[i] = 0;
    }
    forgetHandle(object);
    object->fields = nullptr;
    _krObjRelease(object);
}

__attribute__((stdcall)) void _krObjDeleteEach(KrTypeDesc* type) {
    // The object being deleted is held while it is deleted, so it stays linked
    // and its next link is read only afterwards: deleting it may release
    // other objects of the list (through its fields), which then leave it.
    KrObjHeader* h = type->used.next;
    while (h != &type->used) {
        if (!h->fields) {
            h = h->next;
            continue;
        }
        ++h->refs;
        _krObjDelete(h);
        KrObjHeader* next = h->next;
        _krObjRelease(h);
        h = next;
    }
}

__attribute__((stdcall)) void _krObjStore(KrObjHeader** variable, KrObjHeader* object) {
    if (object) ++object->refs;
    KrObjHeader* old = *variable;
    *variable = object;
    _krObjRelease(old);
}

__attribute__((stdcall)) int _krObjCompare(KrObjHeader* a, KrObjHeader* b) {
    if (a && !a->fields) a = nullptr;
    if (b && !b->fields) b = nullptr;
    return a == b ? 0 : 1;
}

__attribute__((stdcall)) KrObjHeader* _krObjNext(KrObjHeader* object) {
    return object ? liveFrom(object->next, true) : nullptr;
}

__attribute__((stdcall)) KrObjHeader* _krObjPrev(KrObjHeader* object) {
    return object ? liveFrom(object->prev, false) : nullptr;
}

__attribute__((stdcall)) KrObjHeader* _krObjFirst(KrTypeDesc* type) { return liveFrom(type->used.next, true); }

__attribute__((stdcall)) KrObjHeader* _krObjLast(KrTypeDesc* type) { return liveFrom(type->used.prev, false); }

__attribute__((stdcall)) void _krObjInsBefore(KrObjHeader* object, KrObjHeader* target) {
    if (object == target) return;
    unlink(object);
    linkBefore(object, target);
}

__attribute__((stdcall)) void _krObjInsAfter(KrObjHeader* object, KrObjHeader* target) {
    if (object == target) return;
    unlink(object);
    linkAfter(object, target);
}

__attribute__((stdcall)) int _krObjEachFirst(KrObjHeader** variable, KrTypeDesc* type) {
    KrObjHeader* first = _krObjFirst(type);
    _krObjStore(variable, first);
    return first ? 1 : 0;
}

__attribute__((stdcall)) int _krObjEachNext(KrObjHeader** variable) {
    KrObjHeader* next = _krObjNext(*variable);
    _krObjStore(variable, next);
    return next ? 1 : 0;
}

__attribute__((stdcall)) KrString* _krObjToStr(KrObjHeader*) { return krTmpPush(krNewString("[OBJECT]", 8)); }

__attribute__((stdcall)) int _krObjToHandle(KrObjHeader* object) {
    if (!object || !object->fields) return 0;
    auto& handles = handleOf();
    auto found = handles.find(object);
    if (found != handles.end()) return found->second;
    int handle = ++lastHandle;
    handles.emplace(object, handle);
    objectOf().emplace(handle, object);
    return handle;
}

__attribute__((stdcall)) KrObjHeader* _krObjFromHandle(int handle, KrTypeDesc* type) {
    auto& objects = objectOf();
    auto found = objects.find(handle);
    if (found == objects.end() || found->second->type != type) return nullptr;
    return found->second;
}

__attribute__((stdcall)) void _krNullObjEx() { runtimeError("Object does not exist"); }

} // extern "C"

KR_INTERNAL(Language, _krObjNew, "void* VORN_API _krObjNew(void* type)");
KR_INTERNAL(Language, _krObjDelete, "void VORN_API _krObjDelete(void* object)");
KR_INTERNAL(Language, _krObjDeleteEach, "void VORN_API _krObjDeleteEach(void* type)");
KR_INTERNAL(Language, _krObjRelease, "void VORN_API _krObjRelease(void* object)");
KR_INTERNAL(Language, _krObjStore, "void VORN_API _krObjStore(void* variable, void* object)");
KR_INTERNAL(Language, _krObjCompare, "int VORN_API _krObjCompare(void* a, void* b)");
KR_INTERNAL(Language, _krObjNext, "void* VORN_API _krObjNext(void* object)");
KR_INTERNAL(Language, _krObjPrev, "void* VORN_API _krObjPrev(void* object)");
KR_INTERNAL(Language, _krObjFirst, "void* VORN_API _krObjFirst(void* type)");
KR_INTERNAL(Language, _krObjLast, "void* VORN_API _krObjLast(void* type)");
KR_INTERNAL(Language, _krObjInsBefore, "void VORN_API _krObjInsBefore(void* object, void* target)");
KR_INTERNAL(Language, _krObjInsAfter, "void VORN_API _krObjInsAfter(void* object, void* target)");
KR_INTERNAL(Language, _krObjEachFirst, "int VORN_API _krObjEachFirst(void* variable, void* type)");
KR_INTERNAL(Language, _krObjEachNext, "int VORN_API _krObjEachNext(void* variable)");
KR_INTERNAL(Language, _krObjToStr, "KrString* VORN_API _krObjToStr(void* object)");
KR_INTERNAL(Language, _krObjToHandle, "int VORN_API _krObjToHandle(void* object)");
KR_INTERNAL(Language, _krObjFromHandle, "void* VORN_API _krObjFromHandle(int handle, void* type)");
KR_INTERNAL(Language, _krNullObjEx, "void VORN_API _krNullObjEx(void)");
