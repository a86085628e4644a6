// 2D pixel work against plain memory operations in the same run: whole-
// surface fills against memset, sprite and whole-surface copies against
// memcpy, colour-keyed sprites against the per-pixel reference, lines
// against a per-pixel Bresenham that converts and checks every pixel, and
// WritePixelFast through the command. Format 4 (32-bit XRGB) throughout.
#include <algorithm>
#include <cstring>
#include <utility>
#include <vector>

#include "bench/support/bench_clock.h"
#include "gfx2d/k2d_buffer.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_pixmap.h"
#include "gfx2d/pixel_kernels.h"
#include "gfx2d/soft_gr_driver_2d.h"

extern "C" __attribute__((stdcall)) void WritePixelFast(int x, int y, int color, int buffer);

namespace {

volatile uint32_t sink;

// Best time per call of fn over rounds of n calls.
template <typename Fn>
double secondsPer(int n, Fn fn, int rounds = 5) {
    double best = 1e30;
    for (int round = 0; round < rounds; ++round) {
        BenchClock clock;
        for (int i = 0; i < n; ++i) fn(i);
        best = std::min(best, clock.seconds() / n);
    }
    return best;
}

// Best times per call of two functions measured in alternating rounds, so
// that a busy machine slows both alike.
template <typename A, typename B>
std::pair<double, double> compare(int n, A a, B b) {
    double bestA = 1e30, bestB = 1e30;
    for (int round = 0; round < 15; ++round) {
        bestA = std::min(bestA, secondsPer(n, a, 1));
        bestB = std::min(bestB, secondsPer(n, b, 1));
    }
    return {bestA, bestB};
}

// A driver of our own, started by hand, for lines and the pixel command.
class BenchDriver : public SoftGrDriver2D {
public:
    BenchDriver() { setup("BenchGrDriver2D"); }
};
BenchDriver driver;

void fills(int w, int h) {
    KrPixmap* p = KrPixmap::create(w, h, 4, 4);
    const size_t bytes = static_cast<size_t>(p->pitch()) * h;
    const int n = w * h > 1000000 ? 40 : 200;
    auto [ours, base] = compare(n, [&](int i) { p->fillRect(0, 0, w, h, 0xFF000000u | i); },
                                [&](int i) { std::memset(p->pixels(), i & 0xFF, bytes); });
    std::printf("fillRect %dx%d: %.0f Mpx/s, memset %.0f Mpx/s, ratio %.2f\n", w, h, w * h / ours / 1e6,
                w * h / base / 1e6, base / ours);
    KrPixmap* q = KrPixmap::create(w, h, 4, 4);
    auto [copy, mem] = compare(n, [&](int) { q->blit(0, 0, w, h, p, 0, 0, 0); },
                               [&](int) { std::memcpy(q->pixels(), p->pixels(), bytes); });
    std::printf("whole-surface blit %dx%d: %.0f Mpx/s, memcpy %.0f Mpx/s, ratio %.2f\n", w, h, w * h / copy / 1e6,
                w * h / mem / 1e6, mem / copy);
    p->release();
    q->release();
}

// A 64x64 sprite: a disc of opaque pixels (78.5%) on the mask colour.
KrPixmap* sprite() {
    KrPixmap* s = KrPixmap::create(64, 64, 4, 4);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            int dx = 2 * x - 63, dy = 2 * y - 63;
            uint32_t v = dx * dx + dy * dy < 64 * 64 ? 0xFF000000u | (x * 4 << 16) | (y * 4 << 8) | 77 : 0xFFFF00FFu;
            std::memcpy(s->pixels() + y * s->pitch() + x * 4, &v, 4);
        }
    s->setMaskColor(0xFF00FF);
    return s;
}

void sprites(int w, int h) {
    KrPixmap* screen = KrPixmap::create(w, h, 4, 4);
    KrPixmap* s = sprite();
    const int n = 20000;
    auto at = [&](int i, int& x, int& y) {
        x = (i * 97) % (w - 64);
        y = (i * 61) % (h - 64);
    };
    auto [plain, rows] = compare(n, [&](int i) {
        int x, y;
        at(i, x, y);
        screen->blit(x, y, 64, 64, s, 0, 0, 0);
    }, [&](int i) {
        int x, y;
        at(i, x, y);
        for (int r = 0; r < 64; ++r)
            std::memcpy(screen->pixels() + (y + r) * screen->pitch() + x * 4, s->pixels() + r * s->pitch(), 256);
    });
    std::printf("64x64 blit at %dx%d: %.0f Mpx/s, memcpy per row %.0f Mpx/s, ratio %.2f\n", w, h,
                4096 / plain / 1e6, 4096 / rows / 1e6, rows / plain);
    auto [keyed, generic] = compare(n / 4, [&](int i) {
        int x, y;
        at(i, x, y);
        screen->blit(x, y, 64, 64, s, 0, 0, KrGraphics::kBlitMasked);
    }, [&](int i) {
        int x, y;
        at(i, x, y);
        PixelArea to{screen->pixels() + y * screen->pitch() + x * 4, screen->pitch(), 4};
        PixelArea from{s->pixels(), s->pitch(), 4};
        reference::blitPixels(to, from, 64, 64, true, s->maskColor());
    });
    std::printf("colour-keyed 64x64 blit at %dx%d: %.0f Mpx/s, per-pixel reference %.0f Mpx/s, ratio %.2f\n", w, h,
                4096 / keyed / 1e6, 4096 / generic / 1e6, generic / keyed);
    s->release();
    screen->release();
}

// The per-pixel line the driver's line is measured against: Bresenham that
// converts the colour and checks the bounds at every pixel.
void checkedLine(KrPixmap* p, int x1, int y1, int x2, int y2, uint32_t argb) {
    int dx = x2 - x1, dy = y2 - y1;
    int sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    dx = dx < 0 ? -dx : dx;
    dy = dy < 0 ? -dy : dy;
    int x = x1, y = y1;
    auto put = [&] {
        if (x >= 0 && y >= 0 && x < p->width() && y < p->height())
            writePixelAt(p->format(), p->pixels() + y * p->pitch() + x * 4, argb);
    };
    if (dy < dx) {
        int err = -dx;
        for (int i = 0; i <= dx; ++i) {
            put();
            err += 2 * dy;
            if (err >= 0) { y += sy; err -= 2 * dx; }
            x += sx;
        }
    } else {
        int err = -dy;
        for (int i = 0; i <= dy; ++i) {
            put();
            y += sy;
            err += 2 * dx;
            if (err >= 0) { err -= 2 * dy; x += sx; }
        }
    }
}

void lines() {
    KrPixmap* p = KrPixmap::create(640, 480, 4, 4);
    KrGrContext* context = driver.createContext(p);
    driver.setContext(context);
    const int n = 20000;
    auto ends = [](int i, int* e) {
        e[0] = (i * 37) % 640;
        e[1] = (i * 53) % 480;
        e[2] = (i * 91 + 300) % 640;
        e[3] = (i * 17 + 200) % 480;
    };
    auto [ours, checked] = compare(n, [&](int i) {
        int e[4];
        ends(i, e);
        driver.line(e[0], e[1], e[2], e[3]);
    }, [&](int i) {
        int e[4];
        ends(i, e);
        checkedLine(p, e[0], e[1], e[2], e[3], 0xFFFFFFFF);
    });
    std::printf("Line at 640x480: %.2f M lines/s, checked per-pixel Bresenham %.2f M lines/s, ratio %.2f\n",
                1 / ours / 1e6, 1 / checked / 1e6, checked / ours);
    driver.setContext(nullptr);
    p->release();
}

void pixels() {
    KrPixmap* p = KrPixmap::create(640, 480, 4, 4);
    auto* buffer = new K2DBuffer(p);
    p->release();
    k2dGraphics().setCurrent(buffer);
    buffer->lock();
    const int n = 640 * 480;
    double per = secondsPer(n, [&](int i) { WritePixelFast(i % 640, i / 640, i, 0); }, 15);
    std::printf("WritePixelFast (checked, current buffer): %.0f M px/s\n", 1 / per / 1e6);
    int handle = toHandle(buffer);
    double named = secondsPer(n, [&](int i) { WritePixelFast(i % 640, i / 640, i, handle); }, 15);
    std::printf("WritePixelFast (checked, buffer handle): %.0f M px/s\n", 1 / named / 1e6);
    buffer->unlock();
    k2dGraphics().setCurrent(nullptr);
    buffer->release();
}

} // namespace

int main() {
    if (!driver.startModule()) return 1;
    fills(640, 480);
    fills(1920, 1080);
    sprites(640, 480);
    sprites(1920, 1080);
    lines();
    pixels();
    driver.stopModule();
    return sink == 1;
}
