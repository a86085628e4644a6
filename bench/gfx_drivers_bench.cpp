// The graphics drivers side by side under the X display: one frame of Cls,
// 1,000 masked 64 x 64 sprites drawn with DrawImage and Flip, on a 640 x 480
// windowed display, under every driver this runtime has, in one run (a
// driver that is not built in is reported as such). The sprites are images
// of the driver itself, as a program's would be.
#include <chrono>
#include <cstdio>

#include "bench/support/bench_program.h"
#include "gfx2d/kr_screen.h"
#include "lang/kr_string.h"

extern "C" {
__attribute__((stdcall)) void SetGfxDriver(int driver);
__attribute__((stdcall)) KrString* GfxDriverName(int driver);
__attribute__((stdcall)) void Graphics(int width, int height, int depth, int flags);
__attribute__((stdcall)) void EndGraphics();
__attribute__((stdcall)) void Flip(int vwait);
__attribute__((stdcall)) int BackBuffer();
__attribute__((stdcall)) int SetBuffer(int buffer);
__attribute__((stdcall)) void Cls();
__attribute__((stdcall)) void Color(int red, int green, int blue);
__attribute__((stdcall)) void Rect(int x, int y, int width, int height, int solid);
__attribute__((stdcall)) int CreateImage(int width, int height, int frames, int flags);
__attribute__((stdcall)) void FreeImage(int image);
__attribute__((stdcall)) int ImageBuffer(int image, int frame);
__attribute__((stdcall)) void MaskImage(int image, int red, int green, int blue);
__attribute__((stdcall)) void DrawImage(int image, int x, int y, int frame);
}

namespace {

using Clock = std::chrono::steady_clock;

// A sprite in the mask colour (magenta) with a filled square in the middle.
int makeSprite() {
    int sprite = CreateImage(64, 64, 1, 1);
    SetBuffer(ImageBuffer(sprite, 0));
    Color(255, 0, 255);
    Rect(0, 0, 64, 64, 1);
    Color(32, 192, 64);
    Rect(8, 8, 48, 48, 1);
    MaskImage(sprite, 255, 0, 255);
    return sprite;
}

// Frames per second of Cls + 1,000 sprites + Flip.
double spriteFrames(int sprite) {
    SetBuffer(BackBuffer());
    const int frames = 30;
    Clock::time_point t0 = Clock::now();
    for (int f = 0; f < frames; ++f) {
        Cls();
        for (int i = 0; i < 1000; ++i) DrawImage(sprite, (i * 37 + f) % (640 - 64), (i * 53) % (480 - 64), 0);
        Flip(0);
    }
    return frames / std::chrono::duration<double>(Clock::now() - t0).count();
}

void mainCode() {
    for (int driver : {3, 1, 2}) {
        SetGfxDriver(driver);
        const char* name = krText(GfxDriverName(driver));
        if (!activeScreenDriver()) {
            std::printf("sprites1000_flip_640x480_%s: not built in\n", name);
            continue;
        }
        Graphics(640, 480, 0, 2);
        int sprite = makeSprite();
        std::printf("sprites1000_flip_640x480_%s: %.1f frames/s\n", name, spriteFrames(sprite));
        std::fflush(stdout);
        FreeImage(sprite);
        EndGraphics();
    }
}

} // namespace

int main() {
    runBenchProgram(&mainCode);
    return 0;
}
