// One game frame under each graphics driver, side by side in one run: Cls,
// 1,000 masked 64 x 64 sprites drawn with DrawImage at spread positions,
// then Flip, on a 640 x 480 windowed display. A driver whose modules do not
// run here is reported as unavailable.
#include <cstdio>

#include "bench/support/bench_clock.h"
#include "bench/support/bench_program.h"
#include "gfx2d/kr_screen.h"

extern "C" {
__attribute__((stdcall)) void SetGfxDriver(int driver);
__attribute__((stdcall)) void Graphics(int width, int height, int depth, int flags);
__attribute__((stdcall)) void EndGraphics();
__attribute__((stdcall)) void Flip(int vwait);
__attribute__((stdcall)) int BackBuffer();
__attribute__((stdcall)) int SetBuffer(int buffer);
__attribute__((stdcall)) void Cls();
__attribute__((stdcall)) void ClsColor(int red, int green, int blue);
__attribute__((stdcall)) void Color(int red, int green, int blue);
__attribute__((stdcall)) void Rect(int x, int y, int width, int height, int solid);
__attribute__((stdcall)) int CreateImage(int width, int height, int frames, int flags);
__attribute__((stdcall)) int ImageBuffer(int image, int frame);
__attribute__((stdcall)) void MaskImage(int image, int red, int green, int blue);
__attribute__((stdcall)) void DrawImage(int image, int x, int y, int frame);
__attribute__((stdcall)) void FreeImage(int image);
}

namespace {

struct Driver {
    int index;
    const char* name;
};

// A sprite: a square in the middle of a mask-coloured (magenta) frame.
int makeSprite() {
    int image = CreateImage(64, 64, 1, 1);
    SetBuffer(ImageBuffer(image, 0));
    ClsColor(255, 0, 255);
    Cls();
    Color(32, 192, 64);
    Rect(8, 8, 48, 48, 1);
    MaskImage(image, 255, 0, 255);
    ClsColor(0, 0, 0);
    return image;
}

void frame(int sprite) {
    Cls();
    for (int i = 0; i < 1000; ++i) DrawImage(sprite, (i * 37) % (640 - 64), (i * 53) % (480 - 64), 0);
    Flip(0);
}

void mainCode() {
    const Driver drivers[] = {{3, "DirectDraw"}, {2, "OpenGL"}, {1, "Native"}};
    for (const Driver& driver : drivers) {
        SetGfxDriver(driver.index);
        char name[96];
        std::snprintf(name, sizeof name, "sprites1000_flip_640x480_%s", driver.name);
        if (!activeScreenDriver()) {
            std::printf("%s: unavailable\n", name);
            continue;
        }
        Graphics(640, 480, 0, 2);
        int sprite = makeSprite();
        SetBuffer(BackBuffer());
        frame(sprite); // textures and caches are made in the first frame
        const int frames = 30;
        BenchClock clock;
        for (int f = 0; f < frames; ++f) frame(sprite);
        report(name, frames / clock.seconds(), "frames/s");
        FreeImage(sprite);
        EndGraphics();
    }
}

} // namespace

int main() {
    runBenchProgram(&mainCode);
    return 0;
}
