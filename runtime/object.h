// KrObject, the root of every object the runtime hands to a program, and the
// handle checks that guard every command taking one.
//
// An object starts with one reference, is recorded in the live-object set
// while it exists, and is passed to compiled code as its address. A command
// checks a handle with castHandle<T>: it must name a live object of class T or
// of a class derived from it; the error names the class by T::kHandleName.
#pragma once

#include <cstddef>
#include <cstdint>

#include "runtime/live_object_set.h"
#include "runtime/runtime_error.h"

class KrObject {
public:
    KrObject();
    KrObject(const KrObject&) = delete;
    KrObject& operator=(const KrObject&) = delete;
    virtual ~KrObject();

    // Called when the last reference is released; destroys and deletes the object.
    virtual void free();
    // A value attached to this object under a query id (see queryId); 0 for none.
    virtual int query(int id);

    void retain() { ++refs_; }
    void release() {
        if (--refs_ == 0) free();
    }
    int refs() const { return refs_; }

#if UINTPTR_MAX > 0xFFFFFFFFu
    // On a 64-bit host (the native test build) objects live in the low 4 GB,
    // so that a handle still holds the object's address.
    static void* operator new(size_t size);
    static void operator delete(void* object) noexcept;
    static void* operator new(size_t, void* at) noexcept { return at; }
#endif

protected:
    // For owners that destroy an object directly rather than by release.
    void dropReferences() { refs_ = 0; }

private:
    int refs_ = 1;
};

inline void retain(KrObject* object) { object->retain(); }
inline void release(KrObject* object) {
    if (object) object->release();
}

// The live objects of the process.
const LiveObjectSet& liveObjects();

// The object a handle names, or null when it names no live object.
KrObject* liveObject(int handle);

inline int toHandle(const KrObject* object) {
    uintptr_t address = reinterpret_cast<uintptr_t>(object);
#if UINTPTR_MAX > 0xFFFFFFFFu
    if (address > 0xFFFFFFFFu) internalError("Object above 4 GB has no handle");
#endif
    return static_cast<int>(static_cast<uint32_t>(address));
}

template <typename T>
T* castHandle(int handle) {
    KrObject* object = liveObject(handle);
    T* typed = object ? dynamic_cast<T*>(object) : nullptr;
    if (!typed) runtimeError("Invalid %s handle", T::kHandleName);
    return typed;
}

// Query ids: a small number per name, handed out in order of first request,
// so one module can attach values to another module's objects.
int queryId(const char* name);
