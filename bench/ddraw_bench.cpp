// DirectDraw back end benchmarks under the X display: Flip of a 640 x 480
// windowed display, 64 x 64 masked sprites drawn into the DirectDraw back
// buffer beside the same drawing between pixmaps in memory, and a frame of
// Cls + 1,000 sprites + Flip.
#include <chrono>
#include <cstdio>

#include "gfx2d/backends/directdraw/win32_dd_graphics.h"
#include "gfx2d/graphics_display.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "gfx2d/kr_pixmap.h"
#include "bench/support/bench_program.h"
#include "runtime/runtime.h"

extern "C" __attribute__((stdcall)) void Flip(int vwait);

namespace {

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point t0) { return std::chrono::duration<double>(Clock::now() - t0).count(); }

// A 64 x 64 sprite: a filled disc-like square in the middle, the rest in
// the mask colour.
void drawSprite(KrGraphics* g) {
    g->setMaskColor(0x00FF00FF);
    g->fillRect(0, 0, 64, 64, 0xFFFF00FF);
    g->fillRect(8, 8, 48, 48, 0xFF20C040);
}

// Sprites per second drawn masked into dest (640 x 480) at spread positions.
double spriteRate(KrGraphics* dest, KrGraphics* sprite, int count) {
    Clock::time_point t0 = Clock::now();
    for (int i = 0; i < count; ++i)
        dest->blit((i * 37) % (640 - 64), (i * 53) % (480 - 64), 64, 64, sprite, 0, 0, KrGraphics::kBlitMasked);
    return count / secondsSince(t0);
}

void mainCode() {
    openGraphics(640, 480, 32, 2);
    KrGraphics* back = graphicsDisplayBuffer()->graphics();

    const int flips = 500;
    Clock::time_point t0 = Clock::now();
    for (int i = 0; i < flips; ++i) Flip(0);
    std::printf("flip_640x480_windowed: %.0f frames/s\n", flips / secondsSince(t0));

    auto* memDest = KrPixmap::create(640, 480, 4, 4);
    auto* memSprite = KrPixmap::create(64, 64, 4, 4);
    drawSprite(memSprite);
    const int sprites = 20000;
    double memory = spriteRate(memDest, memSprite, sprites);
    std::printf("sprite64_masked_memory: %.0f sprites/s\n", memory);

    for (int kind : {kDDSystemWithCompanion, kDDDisplay, kDDSystem24}) {
        Win32DDGraphics* sprite = Win32DDGraphics::create(kind, 64, 64);
        if (!sprite) continue;
        drawSprite(sprite);
        double rate = spriteRate(back, sprite, sprites);
        std::printf("sprite64_masked_backbuffer_kind%d: %.0f sprites/s (%.0f%% of memory)\n", kind, rate,
                    100.0 * rate / memory);
        sprite->release();
    }

    Win32DDGraphics* sprite = Win32DDGraphics::create(kDDSystemWithCompanion, 64, 64);
    drawSprite(sprite);
    const int frames = 20;
    t0 = Clock::now();
    for (int f = 0; f < frames; ++f) {
        back->fillRect(0, 0, 640, 480, 0xFF000000);
        spriteRate(back, sprite, 1000);
        Flip(0);
    }
    std::printf("cls_1000_sprites_flip_640x480: %.1f frames/s\n", frames / secondsSince(t0));
    sprite->release();
    memDest->release();
    memSprite->release();
    endGraphics();
}

} // namespace

int main() {
    runBenchProgram(&mainCode);
    return 0;
}
