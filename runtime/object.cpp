#include "runtime/object.h"

#include <cstring>
#include <new>

#include "platform/low_memory.h"

namespace {

LiveObjectSet& live() {
    static LiveObjectSet set;
    return set;
}

constexpr int kMaxQueryIds = 256;
// The ids that other modules look for on every object are requested at
// initialisation; holding them in the table from the start keeps them 1, 2
// and 3 whatever order static objects are built in.
const char* queryNames[kMaxQueryIds] = {"K2DBuffer", "GLFont", "KrGLContext"};
int queryCount = 3;

} // namespace

KrObject::KrObject() { live().insert(this); }

KrObject::~KrObject() {
    if (refs_ != 0) internalError("Attempt to delete referenced object");
    live().erase(this);
}

void KrObject::free() { delete this; }

#if UINTPTR_MAX > 0xFFFFFFFFu
void* KrObject::operator new(size_t size) {
    void* block = platform::allocateLow(size);
    if (!block) throw std::bad_alloc();
    return block;
}

void KrObject::operator delete(void* object) noexcept { platform::freeLow(object); }
#endif

int KrObject::query(int) { return 0; }

const LiveObjectSet& liveObjects() { return live(); }

KrObject* liveObject(int handle) {
    const void* address = reinterpret_cast<const void*>(static_cast<uintptr_t>(static_cast<uint32_t>(handle)));
    return live().contains(address) ? static_cast<KrObject*>(const_cast<void*>(address)) : nullptr;
}

int queryId(const char* name) {
    for (int i = 0; i < queryCount; ++i)
        if (std::strcmp(queryNames[i], name) == 0) return i + 1;
    if (queryCount == kMaxQueryIds) runtimeError("Out of QIDS!");
    queryNames[queryCount] = strdup(name);
    return ++queryCount;
}
