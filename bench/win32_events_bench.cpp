// Event system benchmarks: records through the filter chain into the queue
// and out again (with a count of heap allocations on that path), delivery
// from a window procedure through the pump's fiber, and the beat that
// WaitTimer keeps at 60 Hz.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "events/que_filter.h"
#include "gfx2d/k2d_event_filter.h"
#include "bench/support/bench_program.h"
#include "runtime/runtime.h"

namespace {

std::atomic<long> allocations{0};

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// Records enter at the input filter, as the catch filter hands them on from
// the pump, run through the input state into the queue, and are taken out.
void chainBenchmark() {
    const int rounds = 20000000;
    EventRecord record;
    record.id = EVENT_KEY_DOWN;
    record.source = 1;
    EventRecord taken;
    long sum = 0;
    long before = allocations.load();
    Clock::time_point t0 = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        record.data = i & 0x7F;
        k2dEventFilter().filterEvent(record);
        sum += takeEvent(&taken, 0, true) + taken.data;
    }
    double s = secondsSince(t0);
    long allocated = allocations.load() - before;
    std::printf("events_post_take: %.1f million/s\n", rounds / s / 1e6);
    std::printf("events_post_take_allocations: %ld count\n", allocated);
    if (sum == 42) std::printf("\n");
}

constexpr UINT kRaise = WM_APP + 1;

LRESULT CALLBACK raiseProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kRaise) {
        EventRecord r;
        r.id = EVENT_GADGET_ACTION;
        r.data = static_cast<int>(wParam);
        postEvent(r);
        return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

extern "C" __attribute__((stdcall)) int WaitEvent(int timeout);
extern "C" __attribute__((stdcall)) int WaitTimer(int timer);
extern "C" __attribute__((stdcall)) int CreateTimer(float hertz);

// A window procedure raises a record during dispatch; the pump hands control
// to the program, which takes it with WaitEvent and waits again.
void pumpBenchmark() {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = raiseProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VornBenchWindow";
    RegisterClassA(&wc);
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    const int rounds = 200000;
    int got = 0;
    Clock::time_point t0 = Clock::now();
    for (int i = 0; i < rounds; ++i) {
        PostMessageA(hwnd, kRaise, i, 0);
        if (WaitEvent(1000) == EVENT_GADGET_ACTION) ++got;
    }
    double s = secondsSince(t0);
    std::printf("events_window_procedure_delivery: %.0f thousand/s\n", got / s / 1e3);
    DestroyWindow(hwnd);
}

void timerBenchmark() {
    int timer = CreateTimer(60.0f);
    WaitTimer(timer);
    double sum = 0, worst = 0;
    int waits = 0, missed = 0;
    Clock::time_point last = Clock::now(), start = last;
    while (secondsSince(start) < 10.0) {
        int ticks = WaitTimer(timer);
        Clock::time_point now = Clock::now();
        double ms = std::chrono::duration<double, std::milli>(now - last).count();
        last = now;
        sum += ms;
        if (ms > worst) worst = ms;
        missed += ticks - 1;
        ++waits;
    }
    std::printf("waittimer_60hz_mean_interval: %.2f ms\n", sum / waits);
    std::printf("waittimer_60hz_worst_interval: %.2f ms\n", worst);
    std::printf("waittimer_60hz_missed_ticks: %d count\n", missed);
    std::printf("waittimer_60hz_waits: %d count\n", waits);
}

void mainCode() {
    chainBenchmark();
    pumpBenchmark();
    timerBenchmark();
}

} // namespace

void* operator new(size_t size) {
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1)) return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, size_t) noexcept { std::free(p); }

int main() {
    runBenchProgram(&mainCode);
    return 0;
}
