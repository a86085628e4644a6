// The OpenGL back end under the X display (Xvfb, Mesa's llvmpipe): the mode
// list and screens; the software primitives on a frame buffer giving the
// pixels of a pixmap; lines, outlines and text inside their boxes and the
// viewport's scissor; masked textured blits and textures following writes
// and mask colours; the read-back lock; glyph lists kept by their font;
// canvases; switching to DirectDraw and back.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gfx2d/graphics_display.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_font.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "gfx2d/kr_pixmap.h"
#include "lang/kr_string.h"
#include "support/display_commands.h"
#include "support/gfx2d_commands.h"
#include "support/pixel_compare.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int CreateWindow(KrString* text, int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void FreeGadget(int gadget);
__attribute__((stdcall)) void SetGadgetShape(int gadget, int x, int y, int width, int height);
__attribute__((stdcall)) int CreateCanvas(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) int CanvasBuffer(int canvas);
__attribute__((stdcall)) void FlipCanvas(int canvas, int vwait);
}

namespace {

constexpr int kOpenGL = 2;
constexpr int kDirectDraw = 3;
constexpr uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kMagenta = 0xFFFF00FF;

std::string errorOf(void (*body)()) { return runAsProgram(body).error(); }

uint32_t pixelAt(KrGraphics* g, int x, int y) {
    uint32_t v = 0;
    g->readPixels(x, y, 1, 1, &v, 4);
    return v;
}

KrGraphics* openDisplay(int width, int height) {
    SetGfxDriver(kOpenGL);
    Graphics(width, height, 0, 2);
    return graphicsDisplayBuffer()->graphics();
}

// The bounding box (inclusive) of the pixels that are not black inside
// (0, 0)-(w, h); all -1 when there are none.
struct Box {
    int left = -1, top = -1, right = -1, bottom = -1;
    int count = 0;
};

Box inkBox(KrGraphics* g, int w, int h) {
    std::vector<uint32_t> pixels(static_cast<size_t>(w) * h);
    g->readPixels(0, 0, w, h, pixels.data(), w * 4);
    Box box;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            if (pixels[y * w + x] == kBlack) continue;
            if (box.count++ == 0) box = Box{x, y, x, y, 1};
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y);
        }
    return box;
}

void clear(KrGraphics* g) { g->fillRect(0, 0, g->width(), g->height(), kBlack); }

// A 6 x 4 image of the driver's kind in the mask colour with a 2 x 2 red
// block at (2, 1).
KrGraphics* makeSprite() {
    KrGraphics* sprite = driver2D().createGraphics(6, 4, 0, 0);
    sprite->fillRect(0, 0, 6, 4, kMagenta);
    sprite->fillRect(2, 1, 2, 2, kRed);
    sprite->setMaskColor(0x00FF00FF);
    return sprite;
}

// The primitives that are the software ones on every driver: fills, solid
// and outlined ovals (also cut by a viewport), thin outlines, masked and
// plain image blits, pixel writes and a copy inside the buffer.
void drawSoftwareScene(K2DBuffer* buffer, KrGraphics* sprite) {
    k2dGraphics().setCurrent(buffer);
    KrGrDriver2D& d = driver2D();
    d.setViewport(KrRect{0, 0, 64, 48});
    d.setColor(0xFF102030);
    d.rect(0, 0, 64, 48, true);
    d.setColor(0xFF00C0FF);
    d.oval(30, 20, 40, 30, true);
    d.oval(2, 20, 15, 11, false);
    d.oval(0, 0, 4, 4, true);
    d.setColor(0xFFFF8000);
    d.rect(5, 5, 2, 10, false);
    d.rect(-3, 40, 10, 12, true);
    d.blitImage(60, 1, 6, 4, sprite, 0, 0, true);
    d.blitImage(20, 2, 6, 4, sprite, 0, 0, false);
    d.setViewport(KrRect{10, 10, 30, 30});
    d.oval(0, 0, 40, 40, true);
    d.setViewport(KrRect{0, 0, 64, 48});
    WritePixel(3, 3, 0xFF123456, 0);
    CopyRect(20, 2, 6, 4, 40, 2, 0, 0);
}

// The scene drawn into a pixmap: what every driver must give.
std::vector<uint32_t> softwareScenePixels(KrGraphics* sprite) {
    auto* pixmap = KrPixmap::create(64, 48, 4, 4);
    auto* reference = new K2DBuffer(pixmap);
    pixmap->release();
    drawSoftwareScene(reference, sprite);
    std::vector<uint32_t> pixels = pixelsOf(reference->graphics());
    reference->release();
    return pixels;
}

} // namespace

TEST(OpenGL, OneModeAndWindowedScreens) {
    RunRecord run = runAsProgram([] {
        SetGfxDriver(kOpenGL);
        EXPECT_EQ(CountGfxModes(), 1);
        EXPECT_EQ(GfxModeWidth(1), 640);
        EXPECT_EQ(GfxModeHeight(1), 480);
        EXPECT_EQ(GfxModeFormat(1), 1);
        EXPECT_EQ(GfxModeDepth(1), 16);
        EXPECT_EQ(GfxModeExists(640, 480, 16, 0), 1);
        EXPECT_EQ(GfxModeExists(800, 0, 0, 0), 0);
        Graphics(64, 48, 16, 2);
        EXPECT_EQ(GraphicsWidth(), 64);
        EXPECT_EQ(GraphicsHeight(), 48);
        // The frame buffer locks as 24-bit pixels whatever depth was asked.
        EXPECT_EQ(GraphicsFormat(), 3);
        EXPECT_EQ(GraphicsDepth(), 24);
        EXPECT_EQ(FrontBuffer(), BackBuffer());
        KrGraphics* frame = graphicsDisplayBuffer()->graphics();
        EXPECT_NE(frame->query(queryId("KrGLContext")), 0);
        KrGraphics* image = driver2D().createGraphics(4, 4, 0, 0);
        EXPECT_EQ(image->query(queryId("KrGLContext")), 0);
        image->release();
        // Graphics left both pages in the clear colour.
        EXPECT_EQ(pixelAt(frame, 0, 0), kBlack);
        EXPECT_EQ(pixelAt(frame, 63, 47), kBlack);
        EXPECT_EQ(ScanLine(), 0);
        EXPECT_EQ(TotalVidMem(), 0);
        VWait(1);
        Flip(1);
        EndGraphics();
        EXPECT_EQ(FrontBuffer(), 0);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// Full screen takes the display mode where the display has it and keeps
// working where it does not (Xvfb cannot change its size).
TEST(OpenGL, FullScreenDisplay) {
    RunRecord run = runAsProgram([] {
        SetGfxDriver(kOpenGL);
        Graphics(640, 480, 16, 0);
        EXPECT_EQ(GraphicsWidth(), 640);
        EXPECT_EQ(GraphicsHeight(), 480);
        KrGraphics* frame = graphicsDisplayBuffer()->graphics();
        frame->fillRect(1, 1, 2, 2, kRed);
        EXPECT_EQ(pixelAt(frame, 2, 2), kRed);
        Flip(0);
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(OpenGL, ThereIsNoDesktopScreen) {
    EXPECT_EQ(errorOf([] {
                  SetGfxDriver(kOpenGL);
                  GraphicsWidth();
              }),
              "Invalid Screen handle");
    EXPECT_EQ(errorOf([] {
                  SetGfxDriver(kOpenGL);
                  DesktopBuffer();
              }),
              "The desktop has no graphics");
}

TEST(OpenGL, SoftwarePrimitivesGiveThePixelsOfAPixmap) {
    RunRecord run = runAsProgram([] {
        openDisplay(64, 48);
        KrGraphics* sprite = makeSprite();
        std::vector<uint32_t> expected = softwareScenePixels(sprite);

        drawSoftwareScene(graphicsDisplayBuffer(), sprite);
        expectSamePixels(pixelsOf(graphicsDisplayBuffer()->graphics()), expected, 64);
        sprite->release();
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(OpenGL, LinesOutlinesAndTextStayInTheirBoxes) {
    RunRecord run = runAsProgram([] {
        KrGraphics* frame = openDisplay(64, 48);
        KrGrDriver2D& d = driver2D();
        d.setColor(kRed);
        auto expectBox = [&](const char* what, int left, int top, int right, int bottom) {
            Box b = inkBox(frame, 64, 48);
            EXPECT_EQ(b.left, left) << what;
            EXPECT_EQ(b.top, top) << what;
            EXPECT_EQ(b.right, right) << what;
            EXPECT_EQ(b.bottom, bottom) << what;
            return b;
        };

        clear(frame);
        d.line(2, 3, 12, 8);
        expectBox("line, both end points", 2, 3, 12, 8);
        clear(frame);
        d.line(20, 5, 20, 5);
        EXPECT_EQ(expectBox("a line of one point", 20, 5, 20, 5).count, 1);

        // The outline runs through the border pixels and nowhere else.
        clear(frame);
        d.rect(30, 2, 8, 6, false);
        Box outline = expectBox("outline", 30, 2, 37, 7);
        EXPECT_EQ(outline.count, 2 * 8 + 2 * 4);
        for (int x = 30; x < 38; ++x) EXPECT_EQ(pixelAt(frame, x, 2), kRed) << "top " << x;
        for (int y = 2; y < 8; ++y) EXPECT_EQ(pixelAt(frame, 37, y), kRed) << "right " << y;

        // The viewport is a scissor box: a line across it stops at its edges.
        clear(frame);
        d.setViewport(KrRect{0, 20, 10, 30});
        d.line(-5, 25, 20, 25);
        d.plot(15, 21);
        d.rect(-4, 18, 30, 4, false);
        // The line's row and the outline's bottom row, each cut to x 0-9.
        EXPECT_EQ(expectBox("scissored", 0, 21, 9, 25).count, 20);
        EXPECT_EQ(pixelAt(frame, 0, 25), kRed);
        EXPECT_EQ(pixelAt(frame, 9, 21), kRed);
        d.setViewport(KrRect{0, 0, 64, 48});

        // Text lies inside its measured box, top-left at the position.
        clear(frame);
        KrString* hi = krNewString("Hi");
        int w = 0, h = 0;
        d.font()->measure(hi, w, h);
        d.text(20, 10, hi);
        Box text = inkBox(frame, 64, 48);
        EXPECT_GT(text.count, 0);
        EXPECT_GE(text.left, 20);
        EXPECT_GE(text.top, 10);
        EXPECT_LT(text.right, 20 + w);
        EXPECT_LT(text.bottom, 10 + h);
        hi->release();
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(OpenGL, MaskedTextureBlitsLeaveMaskPixelsAndFollowWrites) {
    RunRecord run = runAsProgram([] {
        KrGraphics* frame = openDisplay(64, 48);
        KrGraphics* sprite = makeSprite();
        auto expectSprite = [&](const char* what, int x0, int y0, uint32_t inside, uint32_t corner) {
            for (int y = y0 - 1; y < y0 + 5; ++y)
                for (int x = x0 - 1; x < x0 + 7; ++x) {
                    bool block = x >= x0 + 2 && x < x0 + 4 && y >= y0 + 1 && y < y0 + 3;
                    uint32_t want = block ? inside : kBlue;
                    if (x == x0 && y == y0) want = corner;
                    EXPECT_EQ(pixelAt(frame, x, y), want) << what << " at " << x << "," << y;
                }
        };
        frame->fillRect(0, 0, 64, 48, kBlue);
        frame->blit(1, 1, 6, 4, sprite, 0, 0, KrGraphics::kBlitMasked);
        expectSprite("masked", 1, 1, kRed, kBlue);

        // A write to the image makes its texture again.
        sprite->fillRect(0, 0, 1, 1, 0xFF00FF00);
        frame->blit(11, 11, 6, 4, sprite, 0, 0, KrGraphics::kBlitMasked);
        expectSprite("after a write", 11, 11, kRed, 0xFF00FF00);

        // So does a new mask colour: red is masked now, magenta is drawn.
        sprite->setMaskColor(0x00FF0000);
        frame->fillRect(20, 20, 10, 10, kBlue);
        frame->blit(21, 21, 6, 4, sprite, 0, 0, KrGraphics::kBlitMasked);
        EXPECT_EQ(pixelAt(frame, 23, 22), kBlue);
        EXPECT_EQ(pixelAt(frame, 22, 21), kMagenta);
        EXPECT_EQ(pixelAt(frame, 27, 21), kBlue) << "the texture's padding shows";

        // Unmasked, the mask colour is drawn too.
        frame->blit(31, 31, 6, 4, sprite, 0, 0, 0);
        EXPECT_EQ(pixelAt(frame, 33, 32), kRed);
        EXPECT_EQ(pixelAt(frame, 32, 31), kMagenta);

        // A part of the source, as clipped image drawing passes it.
        frame->fillRect(40, 40, 10, 5, kBlue);
        frame->blit(40, 40, 2, 2, sprite, 3, 2, 0);
        EXPECT_EQ(pixelAt(frame, 40, 40), kRed);
        EXPECT_EQ(pixelAt(frame, 41, 40), kMagenta);
        EXPECT_EQ(pixelAt(frame, 42, 40), kBlue);
        sprite->release();
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(OpenGL, LockReadsBackWhatWasDrawnAndWritesBackWhatWasPoked) {
    RunRecord run = runAsProgram([] {
        KrGraphics* frame = openDisplay(64, 48);
        K2DBuffer* buffer = graphicsDisplayBuffer();
        driver2D().setColor(kRed);
        driver2D().rect(10, 10, 4, 3, true);
        buffer->lock();
        buffer->lock();
        buffer->unlock();
        ASSERT_TRUE(buffer->locked());
        ASSERT_EQ(buffer->lockedFormat(), 3);
        ASSERT_GE(buffer->lockedPitch(), 64 * 3);
        auto at = [&](int x, int y) { return buffer->lockedPixels() + y * buffer->lockedPitch() + x * 3; };
        auto rgb = [&](int x, int y) { return uint32_t(at(x, y)[0] | at(x, y)[1] << 8 | at(x, y)[2] << 16); };
        // Rows top-down: the block is where it was drawn, not mirrored.
        EXPECT_EQ(rgb(10, 10), 0xFF0000u);
        EXPECT_EQ(rgb(13, 12), 0xFF0000u);
        EXPECT_EQ(rgb(10, 47 - 10), 0u);
        EXPECT_EQ(rgb(14, 10), 0u);
        at(0, 0)[0] = at(0, 0)[1] = at(0, 0)[2] = 0xFF;
        at(63, 47)[1] = 0xFF;
        // Drawing while locked lands on the locked pixels and survives the unlock.
        driver2D().rect(20, 20, 2, 2, true);
        buffer->unlock();
        EXPECT_EQ(pixelAt(frame, 0, 0), 0xFFFFFFFFu);
        EXPECT_EQ(pixelAt(frame, 63, 47), 0xFF00FF00u);
        EXPECT_EQ(pixelAt(frame, 12, 11), kRed);
        EXPECT_EQ(pixelAt(frame, 21, 21), kRed);
        EXPECT_EQ(pixelAt(frame, 1, 0), kBlack);

        // The pixel commands go through the same lock.
        WritePixel(5, 6, 0xFF123456, 0);
        EXPECT_EQ(static_cast<uint32_t>(ReadPixel(5, 6, 0)), 0xFF123456u);
        EXPECT_EQ(static_cast<uint32_t>(ReadPixel(12, 11, 0)), kRed);
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(OpenGL, GlyphListsAreMadeOnceAndBelongToTheirFont) {
    RunRecord run = runAsProgram([] {
        openDisplay(64, 48);
        KrFont* font = currentFontDriver()->createFont("courier", 12, 0);
        const int listsId = queryId("GLFont");
        EXPECT_EQ(font->findOwned(listsId), 0);
        driver2D().setFont(font);
        KrString* text = krNewString("ab");
        driver2D().text(1, 1, text);
        int lists = font->findOwned(listsId);
        EXPECT_NE(lists, 0);
        driver2D().text(1, 20, text);
        EXPECT_EQ(font->findOwned(listsId), lists);
        text->release();
        font->release();
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(OpenGL, CanvasesDrawLikeAPixmapAndKeepTheirSize) {
    RunRecord run = runAsProgram([] {
        SetGfxDriver(kOpenGL);
        KrGraphics* sprite = makeSprite();
        std::vector<uint32_t> expected = softwareScenePixels(sprite);

        KrString* title = krNewString("gl canvas");
        int window = CreateWindow(title, 20, 20, 200, 150, 0, 15);
        title->release();
        int canvas = CreateCanvas(4, 4, 64, 48, window, 0);
        auto* buffer = castHandle<K2DBuffer>(CanvasBuffer(canvas));
        ASSERT_EQ(buffer->graphics()->width(), 64);
        ASSERT_EQ(buffer->graphics()->height(), 48);
        EXPECT_EQ(pixelAt(buffer->graphics(), 10, 10), kBlack);
        drawSoftwareScene(buffer, sprite);
        expectSamePixels(pixelsOf(buffer->graphics()), expected, 64);
        FlipCanvas(canvas, 0);

        // A bigger window shows the graphics scaled; the graphics keeps its size.
        SetGadgetShape(canvas, 4, 4, 128, 96);
        EXPECT_EQ(buffer->graphics()->width(), 64);
        SetBuffer(toHandle(buffer));
        Cls();
        FlipCanvas(canvas, 1);
        sprite->release();
        FreeGadget(window);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// Images and fonts made under one driver are gone with it; the glyph lists
// and textures made again under OpenGL after DirectDraw ran between.
TEST(OpenGL, SwitchingToDirectDrawAndBack) {
    RunRecord run = runAsProgram([] {
        for (int driver : {kOpenGL, kDirectDraw, kOpenGL}) {
            SetGfxDriver(driver);
            Graphics(64, 48, 0, 2);
            KrGraphics* frame = graphicsDisplayBuffer()->graphics();
            KrGraphics* sprite = makeSprite();
            frame->fillRect(0, 0, 64, 48, kBlue);
            frame->blit(1, 1, 6, 4, sprite, 0, 0, KrGraphics::kBlitMasked);
            EXPECT_EQ(pixelAt(frame, 3, 2), kRed) << "driver " << driver;
            EXPECT_EQ(pixelAt(frame, 1, 1), kBlue) << "driver " << driver;
            clear(frame);
            driver2D().setColor(kRed);
            KrString* text = krNewString("x");
            driver2D().text(10, 10, text);
            text->release();
            EXPECT_GT(inkBox(frame, 64, 48).count, 0) << "text under driver " << driver;
            sprite->release();
            Flip(0);
            EndGraphics();
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
}
