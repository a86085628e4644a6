// The program's main code in C++, calling a C file of the same program.
#include "vorn.h"

extern "C" void report(const char* label, int value);

namespace {
// A C++ class in a program without a C++ library: no exceptions, no RTTI.
class Counter {
public:
    void add(int n) { total_ += n; }
    int total() const { return total_; }

private:
    int total_ = 0;
};
} // namespace

VORN_MAIN {
    Counter counter;
    for (int i = 1; i <= 4; ++i) counter.add(i);
    report("total", counter.total());
    fprint(vorn_cat(vorn_str("fixed: "), vorn_fixed(-2.375f, 2)));
    fprint(vorn_cat(vorn_str("key: "), vorn_int(VORN_KEY_ESCAPE + EVENT_KEY_DOWN)));
    vorn_free_temps();
    fend();
}
