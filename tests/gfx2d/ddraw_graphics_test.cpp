// DirectDraw surfaces as graphics: formats by kind, DirectDraw fills and
// blits against the generic paths, the kind-2 companion, nested locks and a
// surface that is gone being made again. Needs an X display (Xvfb, 24-bit),
// whose display format is 32-bit XRGB.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "gfx2d/backends/directdraw/win32_dd_graphics.h"
#include "gfx2d/kr_pixmap.h"
#include "support/program_harness.h"

namespace {

uint32_t pixelAt(KrGraphics* g, int x, int y) {
    uint32_t v = 0;
    g->readPixels(x, y, 1, 1, &v, 4);
    return v;
}

Win32DDGraphics* surface(int kind, int w, int h) {
    Win32DDGraphics* g = Win32DDGraphics::create(kind, w, h);
    EXPECT_NE(g, nullptr) << "kind " << kind;
    return g;
}

// A 6 x 4 sprite in the mask colour with a 2 x 2 red block at (2, 1).
void drawSprite(KrGraphics* g) {
    g->fillRect(0, 0, 6, 4, 0xFFFF00FF);
    g->fillRect(2, 1, 2, 2, 0xFFFF0000);
    g->setMaskColor(0x00FF00FF);
}

} // namespace

TEST(DirectDrawGraphics, KindsHaveTheirFormatsAndSurfaces) {
    RunRecord run = runAsProgram([] {
        const int kinds[] = {kDDSystem24, kDDDisplay, kDDSystemWithCompanion};
        const int formats[] = {3, 4, 3};
        for (int i = 0; i < 3; ++i) {
            Win32DDGraphics* g = surface(kinds[i], 5, 3);
            if (!g) continue;
            EXPECT_EQ(g->format(), formats[i]) << "kind " << kinds[i];
            EXPECT_NE(g->query(Win32DDGraphics::kQueryDrawSurface), 0);
            EXPECT_EQ(g->query(Win32DDGraphics::kQueryFrontSurface), 0);
            uint8_t* pixels;
            int pitch, format;
            g->lock(&pixels, &pitch, &format);
            EXPECT_EQ(format, formats[i]);
            EXPECT_GE(pitch, 5 * bytesPerPixel(format));
            g->unlock();
            g->release();
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(DirectDrawGraphics, FillStoresTheFormatsColourInsideTheRectangleOnly) {
    RunRecord run = runAsProgram([] {
        for (int kind : {kDDSystem24, kDDDisplay}) {
            Win32DDGraphics* g = surface(kind, 8, 8);
            if (!g) continue;
            g->fillRect(0, 0, 8, 8, 0xFF000000);
            g->fillRect(2, 3, 3, 2, 0x80123456);
            EXPECT_EQ(pixelAt(g, 2, 3), 0xFF123456u) << "kind " << kind;
            EXPECT_EQ(pixelAt(g, 4, 4), 0xFF123456u);
            EXPECT_EQ(pixelAt(g, 5, 3), 0xFF000000u);
            EXPECT_EQ(pixelAt(g, 2, 5), 0xFF000000u);
            g->release();
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// The masked DirectDraw blit (same formats) must give exactly the pixels of
// the generic blit (different formats, and pixmap to pixmap).
TEST(DirectDrawGraphics, MaskedBlitsGiveTheSamePixelsOnEveryPath) {
    RunRecord run = runAsProgram([] {
        struct Pair {
            KrGraphics* source;
            KrGraphics* dest;
        };
        std::vector<Pair> pairs = {
            {surface(kDDDisplay, 6, 4), surface(kDDDisplay, 8, 6)},
            {surface(kDDSystem24, 6, 4), surface(kDDSystem24, 8, 6)},
            {surface(kDDSystem24, 6, 4), surface(kDDDisplay, 8, 6)},
            {KrPixmap::create(6, 4, 4, 4), KrPixmap::create(8, 6, 4, 4)},
        };
        for (size_t i = 0; i < pairs.size(); ++i) {
            Pair& p = pairs[i];
            if (!p.source || !p.dest) continue;
            drawSprite(p.source);
            p.dest->fillRect(0, 0, 8, 6, 0xFF0000FF);
            p.dest->blit(1, 1, 6, 4, p.source, 0, 0, KrGraphics::kBlitMasked);
            for (int y = 0; y < 6; ++y)
                for (int x = 0; x < 8; ++x) {
                    bool red = x >= 3 && x < 5 && y >= 2 && y < 4;
                    EXPECT_EQ(pixelAt(p.dest, x, y), red ? 0xFFFF0000u : 0xFF0000FFu)
                        << "pair " << i << " at " << x << "," << y;
                }
            p.dest->blit(0, 0, 6, 4, p.source, 0, 0, 0);
            EXPECT_EQ(pixelAt(p.dest, 0, 0), 0xFFFF00FFu) << "pair " << i << " unmasked";
            p.source->release();
            p.dest->release();
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(DirectDrawGraphics, CompanionFollowsEveryWriteToItsMaster) {
    RunRecord run = runAsProgram([] {
        Win32DDGraphics* image = surface(kDDSystemWithCompanion, 4, 4);
        Win32DDGraphics* screen = surface(kDDDisplay, 4, 4);
        if (!image || !screen) return;
        image->fillRect(0, 0, 4, 4, 0xFF00FF00);
        screen->blit(0, 0, 4, 4, image, 0, 0, 0);
        EXPECT_EQ(pixelAt(screen, 1, 1), 0xFF00FF00u);
        uint32_t white = 0xFFFFFFFF;
        image->writePixels(1, 1, 1, 1, &white, 4);
        screen->blit(0, 0, 4, 4, image, 0, 0, 0);
        EXPECT_EQ(pixelAt(screen, 1, 1), 0xFFFFFFFFu);
        EXPECT_EQ(pixelAt(screen, 2, 2), 0xFF00FF00u);
        image->release();
        screen->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(DirectDrawGraphics, LocksNestAndASurfaceThatIsGoneIsMadeAgain) {
    RunRecord run = runAsProgram([] {
        Win32DDGraphics* g = surface(kDDDisplay, 4, 4);
        if (!g) return;
        uint8_t *p1, *p2;
        int pitch, format;
        g->lock(&p1, &pitch, &format);
        g->lock(&p2, &pitch, &format);
        EXPECT_EQ(p1, p2);
        g->unlock();
        g->unlock();
        g->unlock(); // one unlock too many is ignored
        g->fillRect(0, 0, 4, 4, 0xFFFF0000);
        g->discardSurfaces();
        g->fillRect(0, 0, 4, 4, 0xFF00FF00);
        EXPECT_EQ(pixelAt(g, 3, 3), 0xFF00FF00u);
        EXPECT_NE(g->query(Win32DDGraphics::kQueryDrawSurface), 0);
        g->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}
