// The 2D core's pixel kernels beside SDL2 and pixman, in one process, on the
// same memory: every surface is one of our pixmaps (32-bit XRGB), which SDL
// and pixman see through surfaces and images made over its pixels, and every
// contender draws at the same sprite positions and line ends. memset and
// memcpy are the floor a fill or a copy can reach.
//
// Contenders of a case run in alternating rounds, so that a busy machine
// slows them alike, and each keeps its best round. Each line prints our rate
// and, per peer, how many times faster ours is (above 1: ours is faster).
// Before timing, every fill and blit contender's result is checked against
// ours from the same starting pixels, so that all of them do the same work
// (lines are not: SDL may choose other pixels along a line).
#include <SDL.h>
#include <pixman.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include "bench/support/bench_clock.h"
#include "gfx2d/kr_font.h"
#include "gfx2d/kr_pixmap.h"
#include "gfx2d/soft_gr_driver_2d.h"
#include "runtime/runtime_error.h"

// Text is drawn by the Windows renderer alone; the driver here only draws
// lines, and this keeps its text slot linkable.
void drawText(KrGraphics&, KrFont&, int, int, const char*, int, uint32_t, int, int, int, int) {
    internalError("no text renderer in the native benchmarks");
}

namespace {

struct Contender {
    std::string name;
    std::function<void(int)> run; // the i-th call of a round
    double best = 1e30;           // seconds per call
};

// Best seconds per call of each contender over rounds of n calls each, the
// contenders taking turns round by round. Rounds are short (n is chosen for
// about a millisecond) and go on until each contender has run for a quarter
// of a second, so that on a shared machine each has some rounds that nothing
// else disturbed. Each round starts with an untimed call, so that it finds
// the caches as this contender leaves them, not as the one before did (a
// fill that streams past the cache would otherwise gain from following one
// that left the surface dirty in it, or lose from it).
void race(std::vector<Contender>& contenders, int n, double seconds = 0.25) {
    std::vector<double> total(contenders.size());
    for (int round = 0; round < 41 || total[0] < seconds; ++round)
        for (size_t c = 0; c < contenders.size(); ++c) {
            contenders[c].run(n);
            BenchClock clock;
            for (int i = 0; i < n; ++i) contenders[c].run(i);
            const double elapsed = clock.seconds();
            total[c] += elapsed;
            contenders[c].best = std::min(contenders[c].best, elapsed / n);
        }
}

// Ours (the first contender) against each other one: the speed ratio.
struct Result {
    std::string name;
    std::vector<Contender> contenders;
    double ratio(const std::string& peer) const {
        for (const Contender& c : contenders)
            if (c.name == peer) return c.best / contenders[0].best;
        return 0;
    }
};
std::vector<Result> results;

void print(const char* name, double pixelsPerCall, std::vector<Contender>& contenders) {
    std::printf("%s: ours %.0f Mpx/s", name, pixelsPerCall / contenders[0].best / 1e6);
    for (size_t i = 1; i < contenders.size(); ++i)
        std::printf(" | %s %.0f Mpx/s, ours %.2fx", contenders[i].name.c_str(),
                    pixelsPerCall / contenders[i].best / 1e6, contenders[i].best / contenders[0].best);
    std::printf("\n");
    std::fflush(stdout);
    results.push_back({name, contenders});
}

// One of our pixmaps and SDL's and pixman's views of its pixels.
struct Surface {
    KrPixmap* pixmap;
    SDL_Surface* sdl;
    pixman_image_t* pixman;

    Surface(int w, int h) : pixmap(KrPixmap::create(w, h, 4, 4)) {
        sdl = SDL_CreateRGBSurfaceWithFormatFrom(pixmap->pixels(), w, h, 32, pixmap->pitch(), SDL_PIXELFORMAT_RGB888);
        pixman = pixman_image_create_bits(PIXMAN_x8r8g8b8, w, h, words(), pixmap->pitch());
        if (!sdl || !pixman) {
            std::fprintf(stderr, "cannot wrap a %dx%d pixmap: %s\n", w, h, SDL_GetError());
            std::exit(1);
        }
    }
    ~Surface() {
        pixman_image_unref(pixman);
        SDL_FreeSurface(sdl);
        pixmap->release();
    }
    uint32_t* words() const { return reinterpret_cast<uint32_t*>(pixmap->pixels()); }
    int stride() const { return pixmap->pitch() / 4; }
    size_t bytes() const { return static_cast<size_t>(pixmap->pitch()) * pixmap->height(); }
    int width() const { return pixmap->width(); }
    int height() const { return pixmap->height(); }
};

// Every pixel of a and b alike in its colour (the byte above is not kept by
// the format and each library leaves its own value there).
bool sameColours(const Surface& a, const Surface& b) {
    for (size_t i = 0; i < a.bytes() / 4; ++i)
        if ((a.words()[i] ^ b.words()[i]) & 0xFFFFFF) return false;
    return true;
}

// Runs each contender's call 0 on a copy of the start and stops the bench
// when its colours differ from ours.
void checkSameWork(const char* name, Surface& target, std::vector<Contender>& contenders, const Surface& start,
                   Surface& expected) {
    for (size_t i = 0; i < contenders.size(); ++i) {
        std::memcpy(target.pixmap->pixels(), start.pixmap->pixels(), start.bytes());
        contenders[i].run(0);
        if (i == 0) std::memcpy(expected.pixmap->pixels(), target.pixmap->pixels(), target.bytes());
        else if (!sameColours(target, expected)) {
            std::fprintf(stderr, "%s: %s does not give our pixels\n", name, contenders[i].name.c_str());
            std::exit(1);
        }
    }
}

void noise(Surface& s, uint32_t seed) {
    uint32_t v = seed;
    for (size_t i = 0; i < s.bytes() / 4; ++i) {
        v = v * 1664525 + 1013904223;
        s.words()[i] = 0xFF000000u | v >> 8;
    }
}

// A check surface as large as the target, with noise as its start.
void check(const char* name, Surface& target, std::vector<Contender>& contenders) {
    Surface start(target.width(), target.height()), expected(target.width(), target.height());
    noise(start, 777);
    checkSameWork(name, target, contenders, start, expected);
}

// Checks that the contenders do the same work, races them and prints their
// rates under "NAME [at ]WxH".
void measure(const char* name, bool at, int w, int h, Surface& target, std::vector<Contender>& contenders, int rounds,
             double pixelsPerCall) {
    check(name, target, contenders);
    race(contenders, rounds);
    char title[96];
    std::snprintf(title, sizeof title, "%s %s%dx%d", name, at ? "at " : "", w, h);
    print(title, pixelsPerCall, contenders);
}

void fills(int w, int h) {
    Surface s(w, h);
    const int n = w * h > 1000000 ? 4 : 30;
    // memset stores one byte value: a grey fills alike everywhere.
    auto grey = [](int i) { return 0xFF000000u | (i & 0xFF) * 0x010101u; };
    std::vector<Contender> whole{
        {"ours", [&](int i) { s.pixmap->fillRect(0, 0, w, h, grey(i)); }},
        {"memset", [&](int i) { std::memset(s.pixmap->pixels(), i & 0xFF, s.bytes()); }},
        {"SDL_FillRect", [&](int i) { SDL_FillRect(s.sdl, nullptr, grey(i)); }},
        {"pixman_fill", [&](int i) { pixman_fill(s.words(), s.stride(), 32, 0, 0, w, h, grey(i)); }},
    };
    measure("fill", false, w, h, s, whole, n, double(w) * h);
}

// The position of the i-th 64x64 sprite (or rectangle) on a w x h surface.
struct At {
    int x, y;
    At(int i, int w, int h) : x(i * 97 % (w - 64)), y(i * 61 % (h - 64)) {}
};

void rectFills(int w, int h) {
    Surface s(w, h);
    auto colour = [](int i) { return 0xFF000000u | (i & 0xFF) * 0x010101u; };
    std::vector<Contender> rects{
        {"ours", [&](int i) { At a(i, w, h); s.pixmap->fillRect(a.x, a.y, 64, 64, colour(i)); }},
        {"memset per row", [&](int i) {
             At a(i, w, h);
             for (int r = 0; r < 64; ++r)
                 std::memset(s.pixmap->pixels() + (a.y + r) * s.pixmap->pitch() + a.x * 4, i & 0xFF, 256);
         }},
        {"SDL_FillRect", [&](int i) {
             At a(i, w, h);
             SDL_Rect r{a.x, a.y, 64, 64};
             SDL_FillRect(s.sdl, &r, colour(i));
         }},
        {"pixman_fill", [&](int i) { At a(i, w, h); pixman_fill(s.words(), s.stride(), 32, a.x, a.y, 64, 64, colour(i)); }},
    };
    measure("64x64 fill", true, w, h, s, rects, 2000, 4096);
}

void copies(int w, int h) {
    Surface from(w, h), to(w, h);
    noise(from, 12345);
    const int n = w * h > 1000000 ? 4 : 30;
    std::vector<Contender> whole{
        {"ours", [&](int) { to.pixmap->blit(0, 0, w, h, from.pixmap, 0, 0, 0); }},
        {"memcpy", [&](int) { std::memcpy(to.pixmap->pixels(), from.pixmap->pixels(), to.bytes()); }},
        {"SDL_BlitSurface", [&](int) { SDL_BlitSurface(from.sdl, nullptr, to.sdl, nullptr); }},
        {"pixman_blt", [&](int) {
             pixman_blt(from.words(), to.words(), from.stride(), to.stride(), 32, 32, 0, 0, 0, 0, w, h);
         }},
    };
    measure("whole-surface blit", false, w, h, to, whole, n, double(w) * h);
}

// A 64x64 sprite: a disc of opaque pixels (78.5%) on the mask colour, with an
// SDL surface over it that carries the colour key, one with the key and
// run-length encoding (SDL's own fastest keyed blit), one without a key, and
// pixman's form of it: premultiplied ARGB with alpha 0 where the key is.
struct Sprite {
    static constexpr uint32_t kKey = 0xFF00FF;
    Surface plain{64, 64};
    SDL_Surface* keyed;
    SDL_Surface* rle;
    Surface alpha{64, 64};
    pixman_image_t* over;

    Sprite() {
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x) {
                int dx = 2 * x - 63, dy = 2 * y - 63;
                bool inside = dx * dx + dy * dy < 64 * 64;
                plain.words()[y * 64 + x] = 0xFF000000u | (inside ? x * 4 << 16 | y * 4 << 8 | 77 : kKey);
                alpha.words()[y * 64 + x] = inside ? plain.words()[y * 64 + x] : 0;
            }
        plain.pixmap->setMaskColor(kKey);
        // SDL compares whole 32-bit words of an XRGB surface with its key,
        // the unused byte too: the key is the word the sprite holds.
        const uint32_t word = 0xFF000000u | kKey;
        keyed = wrap(plain);
        SDL_SetColorKey(keyed, SDL_TRUE, word);
        rle = wrap(plain);
        SDL_SetColorKey(rle, SDL_TRUE, word);
        SDL_SetSurfaceRLE(rle, 1);
        over = pixman_image_create_bits(PIXMAN_a8r8g8b8, 64, 64, alpha.words(), alpha.pixmap->pitch());
    }
    ~Sprite() {
        pixman_image_unref(over);
        SDL_FreeSurface(rle);
        SDL_FreeSurface(keyed);
    }
    static SDL_Surface* wrap(Surface& s) {
        return SDL_CreateRGBSurfaceWithFormatFrom(s.pixmap->pixels(), 64, 64, 32, s.pixmap->pitch(),
                                                  SDL_PIXELFORMAT_RGB888);
    }
};

void sprites(int w, int h) {
    Surface screen(w, h);
    Sprite sprite;
    const int n = 2000;
    auto rect = [&](int i) {
        At a(i, w, h);
        return SDL_Rect{a.x, a.y, 64, 64};
    };
    std::vector<Contender> plain{
        {"ours", [&](int i) { At a(i, w, h); screen.pixmap->blit(a.x, a.y, 64, 64, sprite.plain.pixmap, 0, 0, 0); }},
        {"memcpy per row", [&](int i) {
             At a(i, w, h);
             for (int r = 0; r < 64; ++r)
                 std::memcpy(screen.pixmap->pixels() + (a.y + r) * screen.pixmap->pitch() + a.x * 4,
                             sprite.plain.pixmap->pixels() + r * 256, 256);
         }},
        {"SDL_BlitSurface", [&](int i) { SDL_Rect r = rect(i); SDL_BlitSurface(sprite.plain.sdl, nullptr, screen.sdl, &r); }},
        {"pixman_blt", [&](int i) {
             At a(i, w, h);
             pixman_blt(sprite.plain.words(), screen.words(), 64, screen.stride(), 32, 32, 0, 0, a.x, a.y, 64, 64);
         }},
    };
    measure("64x64 blit", true, w, h, screen, plain, n, 4096);

    std::vector<Contender> keyed{
        {"ours", [&](int i) {
             At a(i, w, h);
             screen.pixmap->blit(a.x, a.y, 64, 64, sprite.plain.pixmap, 0, 0, KrGraphics::kBlitMasked);
         }},
        {"SDL_BlitSurface keyed", [&](int i) { SDL_Rect r = rect(i); SDL_BlitSurface(sprite.keyed, nullptr, screen.sdl, &r); }},
        {"SDL_BlitSurface keyed RLE", [&](int i) { SDL_Rect r = rect(i); SDL_BlitSurface(sprite.rle, nullptr, screen.sdl, &r); }},
        {"pixman OVER", [&](int i) {
             At a(i, w, h);
             pixman_image_composite32(PIXMAN_OP_OVER, sprite.over, nullptr, screen.pixman, 0, 0, 0, 0, a.x, a.y, 64, 64);
         }},
    };
    measure("colour-keyed 64x64 blit", true, w, h, screen, keyed, n, 4096);
}

// Our software driver draws the lines (it is not started: that would start
// the Windows font driver, and a line needs only a context); SDL's are drawn
// by its software renderer, unbatched, into the same pixels.
class BenchDriver : public SoftGrDriver2D {
public:
    BenchDriver() { setup("BenchGrDriver2D"); }
};
BenchDriver driver;

void lines() {
    const int w = 640, h = 480;
    Surface s(w, h);
    KrGrContext* context = driver.createContext(s.pixmap);
    driver.setContext(context);
    SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(s.sdl);
    if (!renderer) {
        std::fprintf(stderr, "no software renderer: %s\n", SDL_GetError());
        std::exit(1);
    }
    SDL_SetRenderDrawColor(renderer, 255, 255, 255, 255);
    auto ends = [&](int i, int* e) {
        e[0] = i * 37 % w;
        e[1] = i * 53 % h;
        e[2] = (i * 91 + 300) % w;
        e[3] = (i * 17 + 200) % h;
    };
    std::vector<Contender> contenders{
        {"ours", [&](int i) { int e[4]; ends(i, e); driver.line(e[0], e[1], e[2], e[3]); }},
        {"SDL_RenderDrawLine", [&](int i) { int e[4]; ends(i, e); SDL_RenderDrawLine(renderer, e[0], e[1], e[2], e[3]); }},
    };
    race(contenders, 4000);
    // Lines cover different numbers of pixels: the rate is in lines.
    std::printf("line at %dx%d: ours %.2f M lines/s | SDL_RenderDrawLine %.2f M lines/s, ours %.2fx\n", w, h,
                1 / contenders[0].best / 1e6, 1 / contenders[1].best / 1e6, contenders[1].best / contenders[0].best);
    results.push_back({"line", contenders});
    SDL_DestroyRenderer(renderer);
    driver.setContext(nullptr);
}

// The figures the kernels aim for, from this run.
void targets() {
    std::printf("-- targets (ours against the peer; at least the figure given)\n");
    auto line = [](const std::string& result, const char* peer, double goal) {
        for (const Result& r : results)
            if (r.name == result) {
                double ratio = r.ratio(peer);
                std::printf("%s against %s: %.2fx (target %.2fx) %s\n", result.c_str(), peer, ratio, goal,
                            ratio >= goal ? "met" : "MISSED");
            }
    };
    for (const char* size : {"640x480", "1920x1080"}) {
        line(std::string("fill ") + size, "memset", 0.95);
        line(std::string("whole-surface blit ") + size, "memcpy", 0.90);
        line(std::string("64x64 blit at ") + size, "memcpy per row", 0.90);
        line(std::string("colour-keyed 64x64 blit at ") + size, "SDL_BlitSurface keyed", 1.30);
    }
    line("64x64 fill at 640x480", "memset per row", 0.95);
}

} // namespace

// With an argument, only the groups whose name holds it run (for a
// profiler): fills, rects, copies, sprites, lines.
int main(int argc, char** argv) {
    auto wanted = [&](const char* group) { return argc < 2 || std::strstr(group, argv[1]); };
    SDL_SetHint(SDL_HINT_RENDER_BATCHING, "0");
    if (wanted("fills")) {
        fills(640, 480);
        fills(1920, 1080);
    }
    if (wanted("rects")) rectFills(640, 480);
    if (wanted("copies")) {
        copies(640, 480);
        copies(1920, 1080);
    }
    if (wanted("sprites")) {
        sprites(640, 480);
        sprites(1920, 1080);
    }
    if (wanted("lines")) lines();
    targets();
    return 0;
}
