// Handle checks, reference counting and object creation with many objects live.
#include <vector>

#include "bench/support/bench_clock.h"
#include "runtime/object.h"
#include "runtime/resource.h"

namespace {

class BenchStream : public KrResource {
public:
    static constexpr const char* kHandleName = "Stream";
};
class BenchFile : public BenchStream {
public:
    static constexpr const char* kHandleName = "File";
};

} // namespace

int main() {
    auto* file = new BenchFile;
    int handle = toHandle(file);
    const int n = 10000000;
    volatile int sink = 0;

    BenchClock castClock;
    for (int i = 0; i < n; ++i) sink = sink + (castHandle<BenchStream>(handle) != nullptr);
    report("castHandle (derived class)", n / castClock.seconds() / 1e6, "million/s");

    KrObject* volatile object = file; // keeps the pair from being folded away
    BenchClock refClock;
    for (int i = 0; i < n; ++i) {
        object->retain();
        object->release();
    }
    report("retain + release", n / refClock.seconds() / 1e6, "million/s");

    for (int live : {1000, 100000, 1000000}) {
        std::vector<KrObject*> objects;
        objects.reserve(live);
        for (int i = 0; i < live; ++i) objects.push_back(new KrObject);
        const int m = 1000000;
        BenchClock makeClock;
        for (int i = 0; i < m; ++i) (new KrObject)->release();
        std::printf("create + free with %d live: %.2f million/s\n", live, m / makeClock.seconds() / 1e6);
        for (KrObject* o : objects) o->release();
    }
    file->release();
    return sink == -1;
}
