#include "gui/layout.h"

#include <cstdint>

namespace {

// Wrapping 32-bit operations: the results of two's-complement machine
// arithmetic, without the undefined behaviour of signed overflow.
int add(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b)); }
int sub(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) - static_cast<uint32_t>(b)); }
int mul(int a, int b) { return static_cast<int>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b)); }

// a * num / den with den >= 1, so the division cannot trap.
int scale(int a, int num, int den) { return mul(a, num) / den; }

} // namespace

LayoutSpan layoutAxis(const LayoutAxisInput& in) {
    const int client = in.client < 1 ? 1 : in.client;
    const int originClient = in.originClient < 1 ? 1 : in.originClient;
    LayoutSpan span;
    if (in.lowMode == LayoutFree && in.highMode == LayoutFree) {
        // The gadget keeps its size and its centre scales with the group.
        int half = in.originSize / 2;
        span.low = sub(scale(add(in.origin, half), client, originClient), half);
        span.high = add(span.low, in.originSize);
        return span;
    }
    span.low = in.current;
    span.high = add(in.current, in.currentSize);
    if (in.lowMode == LayoutPinned)
        span.low = in.origin;
    else if (in.lowMode == LayoutScaled)
        span.low = scale(in.origin, client, originClient);
    if (in.highMode == LayoutPinned)
        span.high = add(add(in.origin, in.originSize), sub(client, originClient));
    else if (in.highMode == LayoutScaled)
        span.high = scale(add(in.origin, in.originSize), client, originClient);
    if (in.lowMode == LayoutFree)
        span.low = sub(span.high, in.originSize);
    else if (in.highMode == LayoutFree)
        span.high = add(span.low, in.originSize);
    return span;
}
