// Gadget benchmarks: making and freeing a window with 100 gadgets, laying out
// 100 children when the window is resized, and delivering a native input
// message to the program as an event through the pump.
#include <windows.h>

#include <cstdio>

#include "bench/support/bench_clock.h"
#include "lang/kr_string.h"
#include "bench/support/bench_program.h"
#include "runtime/object.h"
#include "runtime/runtime.h"

extern "C" {
__attribute__((stdcall)) int krCreateWindow(KrString* text, int x, int y, int width, int height, int group,
                                            int style) __asm__("_CreateWindow@28");
__attribute__((stdcall)) int CreatePanel(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void FreeGadget(int gadget);
__attribute__((stdcall)) void SetGadgetShape(int gadget, int x, int y, int width, int height);
__attribute__((stdcall)) void SetGadgetLayout(int gadget, int left, int right, int top, int bottom);
__attribute__((stdcall)) int WaitEvent(int timeout);
}

namespace {

// A window (caption, sizing frame, client-size style) holding 100 panels in
// a 10 x 10 grid, every other one stretching with the window.
int windowWith100Gadgets(KrString* title) {
    int w = krCreateWindow(title, 0, 0, 640, 480, 0, 1 | 2 | 32);
    for (int i = 0; i < 100; ++i) {
        int panel = CreatePanel((i % 10) * 64, (i / 10) * 48, 60, 44, w, 0);
        if (i % 2) SetGadgetLayout(panel, 2, 2, 2, 2);
    }
    return w;
}

void createAndFree(KrString* title) {
    const int rounds = 20;
    BenchClock clock;
    for (int i = 0; i < rounds; ++i) FreeGadget(windowWith100Gadgets(title));
    report("gui_window_100_gadgets_create_free", clock.seconds() * 1000 / rounds, "ms");
}

void resize(KrString* title) {
    int w = windowWith100Gadgets(title);
    const int rounds = 200;
    BenchClock clock;
    for (int i = 0; i < rounds; ++i) SetGadgetShape(w, 0, 0, 640 + (i & 1) * 160, 480 + (i & 1) * 120);
    report("gui_resize_100_children", clock.seconds() * 1e6 / rounds, "us");
    FreeGadget(w);
}

// A key-down message posted to a window's frame reaches WaitEvent through
// the common window procedure, the input filter and the queue.
void delivery(KrString* title) {
    int w = krCreateWindow(title, 0, 0, 200, 100, 0, 1);
    HWND frame = reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(w)->query(1)));
    while (WaitEvent(0) != 0) {}
    const int rounds = 20000;
    int got = 0;
    BenchClock clock;
    for (int i = 0; i < rounds; ++i) {
        PostMessageA(frame, WM_KEYUP, 'A', 1 | (30 << 16) | (3u << 30));
        if (WaitEvent(1000) == 0x102) ++got;
    }
    double s = clock.seconds();
    report("gui_key_message_to_waitevent", got / s / 1e3, "thousand/s");
    report("gui_key_message_to_waitevent_latency", s * 1e6 / rounds, "us");
    FreeGadget(w);
}

void mainCode() {
    KrString* title = krNewString("Bench");
    createAndFree(title);
    resize(title);
    delivery(title);
    release(title);
}

} // namespace

int main() {
    runBenchProgram(&mainCode);
    return 0;
}
