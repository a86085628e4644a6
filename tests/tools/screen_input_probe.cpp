// The program of screen_input.sh: a windowed display whose blue 160 x 120
// client area holds a red 20 x 10 block at (40, 30); then it reports the
// pointer position, a left click and a key press that the script sends with
// xdotool, read through the polling commands. Each wait gives up after ten
// seconds.
#include <windows.h>

#include <cstdio>

#include "gfx2d/k2d_graphics_driver.h"
#include "runtime/app_title.h"
#include "runtime/debugger.h"
#include "runtime/runtime.h"
#include "support/display_commands.h"
#include "support/event_commands.h"

namespace {

void say(const char* label, int value) {
    std::printf("%s%d\n", label, value);
    std::fflush(stdout);
}

// Flips while it waits, as a game does every frame: a window that the X
// server maps after the first flip shows the picture all the same.
template <typename Done>
void waitFor(Done done) {
    DWORD start = GetTickCount();
    while (!done() && GetTickCount() - start < 30000) {
        Flip(0);
        Sleep(10);
    }
}

void mainCode() {
    setAppTitle("vorn-screen-input");
    Graphics(160, 120, 32, 2);
    KrGraphics* back = k2dGraphics().current()->graphics();
    back->fillRect(0, 0, 160, 120, 0xFF0000FF);
    back->fillRect(40, 30, 20, 10, 0xFFFF0000);
    Flip(0);
    std::printf("ready\n");
    std::fflush(stdout);

    waitFor([] { return MouseX(0) == 100 && MouseY(0) == 50; });
    say("mouse x: ", MouseX(0));
    say("mouse y: ", MouseY(0));
    MouseXSpeed(0);
    say("second x speed: ", MouseXSpeed(0));

    int hits = 0;
    waitFor([&] { return (hits = MouseHit(1)) != 0; });
    say("left clicks: ", hits);
    waitFor([&] { return (hits = KeyHit(30)) != 0; });
    say("key 30 hits: ", hits);
    EndGraphics();
}

class PrintingDebugger : public KrDebugger {
    void onMessage(const char* text, int) override { std::fprintf(stderr, "runtime error: %s\n", text); }
};

} // namespace

int main() {
    static PrintingDebugger debugger;
    runtimeGetRuntime()->execute(&mainCode, "", &debugger);
    return 0;
}
