// The graphics display on DirectDraw under the X display (Xvfb, 1024 x 768,
// 24-bit, so the display format is 32-bit XRGB): the driver and mode lists,
// a windowed display drawn, flipped and read back, the display buffers,
// gamma, the pointer speed, closing the display, and the misuse errors.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include <vector>

#include "gfx2d/graphics_display.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "gfx2d/kr_pixmap.h"
#include "lang/kr_string.h"
#include "support/display_commands.h"
#include "support/pixel_compare.h"
#include "support/program_harness.h"

namespace {

uint32_t pixelAt(K2DBuffer* buffer, int x, int y) {
    uint32_t v = 0;
    buffer->graphics()->readPixels(x, y, 1, 1, &v, 4);
    return v;
}

std::string errorOf(void (*body)()) { return runAsProgram(body).error(); }

} // namespace

TEST(Display, DriverNamesAndTheModeList) {
    RunRecord run = runAsProgram([] {
        EXPECT_EQ(CountGfxDrivers(), 3);
        EXPECT_STREQ(krText(GfxDriverName(1)), "Native");
        EXPECT_STREQ(krText(GfxDriverName(3)), "DirectDraw");
        int modes = CountGfxModes();
        ASSERT_GT(modes, 0);
        EXPECT_EQ(GfxModeExists(0, 0, 0, 0), 1);
        for (int i = 1; i <= modes; ++i) {
            int format = GfxModeFormat(i);
            ASSERT_TRUE(format >= 1 && format <= 4) << "mode " << i << " format " << format;
            EXPECT_EQ(GfxModeDepth(i), format == 3 ? 24 : format == 4 ? 32 : 16) << "mode " << i;
            EXPECT_EQ(GfxModeExists(GfxModeWidth(i), GfxModeHeight(i), GfxModeDepth(i), format), 1);
            EXPECT_EQ(GfxModeExists(GfxModeWidth(i), 0, 0, 0), 1);
        }
        EXPECT_EQ(GfxModeExists(1, 1, 0, 0), 0);
        EXPECT_EQ(GfxModeExists(0, 0, 8, 0), 0);
        EXPECT_EQ(GfxModeExists(0, 0, 0, 7), 0);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Display, IndicesOutsideTheListsAreRefused) {
    EXPECT_EQ(errorOf([] { SetGfxDriver(0); }), "Illegal graphics driver index");
    EXPECT_EQ(errorOf([] { GfxDriverName(4); }), "Illegal graphics driver index");
    EXPECT_EQ(errorOf([] { GfxModeWidth(0); }), "Illegal graphics mode index");
    EXPECT_EQ(errorOf([] { GfxModeFormat(CountGfxModes() + 1); }), "Illegal graphics mode index");
    EXPECT_EQ(errorOf([] { Graphics(0, 0, 0, 2); }), "Illegal graphics size 0x0");
    EXPECT_EQ(errorOf([] { Graphics(64, -1, 0, 2); }), "Illegal graphics size 64x-1");
}

TEST(Display, WindowedDisplayIsDrawnFlippedAndReadBack) {
    RunRecord run = runAsProgram([] {
        // Before Graphics the desktop screen is current.
        EXPECT_EQ(GraphicsWidth(), 1024);
        EXPECT_EQ(GraphicsHeight(), 768);
        EXPECT_EQ(FrontBuffer(), 0);

        Graphics(64, 48, 16, 2);
        EXPECT_EQ(GraphicsWidth(), 64);
        EXPECT_EQ(GraphicsHeight(), 48);
        // A window takes the display's format whatever depth was asked.
        EXPECT_EQ(GraphicsFormat(), 4);
        EXPECT_EQ(GraphicsDepth(), 32);
        int front = FrontBuffer();
        ASSERT_NE(front, 0);
        EXPECT_EQ(BackBuffer(), front);
        K2DBuffer* buffer = k2dGraphics().current();
        EXPECT_EQ(toHandle(buffer), front);

        // Both pages start in the clear colour.
        EXPECT_EQ(pixelAt(buffer, 0, 0), 0xFF000000u);
        EXPECT_EQ(pixelAt(buffer, 63, 47), 0xFF000000u);
        buffer->graphics()->fillRect(10, 10, 4, 3, 0xFFFF0000);
        Flip(0);
        Flip(1);
        buffer->lock();
        buffer->lock();
        buffer->unlock();
        ASSERT_TRUE(buffer->locked());
        EXPECT_EQ(buffer->lockedFormat(), 4);
        EXPECT_GE(buffer->lockedPitch(), 64 * 4);
        auto at = [&](int x, int y) {
            return *reinterpret_cast<uint32_t*>(buffer->lockedPixels() + y * buffer->lockedPitch() + x * 4) |
                   0xFF000000u;
        };
        EXPECT_EQ(at(10, 10), 0xFFFF0000u);
        EXPECT_EQ(at(13, 12), 0xFFFF0000u);
        EXPECT_EQ(at(14, 10), 0xFF000000u);
        EXPECT_EQ(at(10, 13), 0xFF000000u);
        buffer->unlock();
        EXPECT_FALSE(buffer->locked());

        VWait(1);
        EXPECT_GE(ScanLine(), 0);
        EXPECT_GE(TotalVidMem(), AvailVidMem());

        EndGraphics();
        EXPECT_EQ(FrontBuffer(), 0);
        EXPECT_EQ(k2dGraphics().current(), nullptr);
        EXPECT_EQ(GraphicsWidth(), 1024);
        EndGraphics(); // nothing open: nothing happens
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Display, GammaTablesAndPointerSpeed) {
    RunRecord run = runAsProgram([] {
        Graphics(32, 32, 0, 2);
        EXPECT_EQ(GammaRed(10), 10);
        SetGamma(10, 10, 10, 200, 201, 202);
        EXPECT_EQ(GammaRed(10), 200);
        EXPECT_EQ(GammaGreen(10), 201);
        EXPECT_EQ(GammaBlue(10), 202);
        EXPECT_EQ(GammaBlue(11), 11);
        SetGamma(266, 0, 0, 5, 0, 0); // sources are taken modulo 256
        EXPECT_EQ(GammaRed(10), 5);
        EXPECT_EQ(GammaRed(266), 5);
        UpdateGamma(0);
        UpdateGamma(1);

        MouseXSpeed(0);
        MouseYSpeed(0);
        EXPECT_EQ(MouseXSpeed(0), 0);
        EXPECT_EQ(MouseYSpeed(0), 0);
        ShowPointer(0);
        HidePointer(0);
        ShowPointer(0);
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// Drawing after EndGraphics while the released display buffer was current
// must not reach freed memory: the buffer is no longer current.
TEST(Display, DrawingAfterEndGraphicsIsAnError) {
    EXPECT_EQ(errorOf([] {
                  Graphics(32, 32, 0, 2);
                  EndGraphics();
                  drawingBuffer();
              }),
              "No graphics buffer is set");
}

TEST(Display, FullScreenWhereTheDisplayAllowsTheMode) {
    RunRecord run = runAsProgram([] {
        Graphics(640, 480, 32, 0);
        EXPECT_EQ(GraphicsWidth(), 640);
        EXPECT_EQ(GraphicsHeight(), 480);
        Flip(0);
        EndGraphics();
    });
    if (run.error() == "Failed to set display mode") GTEST_SKIP() << "the display cannot change to 640x480x32";
    EXPECT_TRUE(run.finished) << run.error();
}

namespace {

// One drawing program through the 2D driver: fills, outlines, lines, ovals
// and a masked blit, all partly clipped by the graphics' edge.
void drawScene(K2DBuffer* buffer) {
    k2dGraphics().setCurrent(buffer);
    KrGrDriver2D& d = driver2D();
    d.setViewport(KrRect{0, 0, 64, 48});
    d.setColor(0xFF102030);
    d.rect(0, 0, 64, 48, true);
    d.setColor(0xFFFF8000);
    d.rect(5, 5, 20, 10, false);
    d.line(-10, 40, 70, 2);
    d.setColor(0xFF00C0FF);
    d.oval(30, 20, 40, 30, true);
    d.oval(2, 20, 15, 11, false);
    d.plot(63, 47);
    auto* sprite = KrPixmap::create(8, 8, 4, 4);
    sprite->fillRect(0, 0, 8, 8, 0xFFFF00FF);
    sprite->fillRect(2, 2, 4, 4, 0xFFFFFFFF);
    sprite->setMaskColor(0x00FF00FF);
    d.blitImage(60, 1, 8, 8, sprite, 0, 0, true);
    sprite->release();
}

} // namespace

TEST(Display, TheBackBufferDrawsLikeAPixmap) {
    RunRecord run = runAsProgram([] {
        auto* pixmap = KrPixmap::create(64, 48, 4, 4);
        auto* image = new K2DBuffer(pixmap);
        pixmap->release();
        drawScene(image);
        std::vector<uint32_t> expected = pixelsOf(image->graphics());

        Graphics(64, 48, 0, 2);
        drawScene(graphicsDisplayBuffer());
        std::vector<uint32_t> got = pixelsOf(graphicsDisplayBuffer()->graphics());
        expectSamePixels(got, expected, 64);
        image->release();
        EndGraphics();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Canvas, ACanvasBufferDrawsLikeAPixmap) {
    RunRecord run = runAsProgram([] {
        auto* pixmap = KrPixmap::create(64, 48, 4, 4);
        auto* image = new K2DBuffer(pixmap);
        pixmap->release();
        drawScene(image);
        std::vector<uint32_t> expected = pixelsOf(image->graphics());
        image->release();

        KrString* title = krNewString("canvas test");
        int window = CreateWindow(title, 20, 20, 200, 150, 0, 15);
        title->release();
        int canvas = CreateCanvas(4, 4, 64, 48, window, 0);
        int handle = CanvasBuffer(canvas);
        ASSERT_NE(handle, 0);
        auto* buffer = castHandle<K2DBuffer>(handle);
        ASSERT_EQ(buffer->graphics()->width(), 64);
        ASSERT_EQ(buffer->graphics()->height(), 48);
        EXPECT_EQ(pixelAt(buffer, 10, 10), 0xFF000000u);
        drawScene(buffer);
        FlipCanvas(canvas, 0);
        FlipCanvas(canvas, 1);
        std::vector<uint32_t> got = pixelsOf(buffer->graphics());
        expectSamePixels(got, expected, 64);

        // The canvas reports its own pointer position; without movement the
        // speed reads 0 the second time.
        MouseXSpeed(canvas);
        EXPECT_EQ(MouseXSpeed(canvas), 0);
        MouseYSpeed(canvas);
        EXPECT_EQ(MouseYSpeed(canvas), 0);
        HidePointer(canvas);
        ShowPointer(canvas);
        FreeGadget(window);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Canvas, HandlesAreChecked) {
    EXPECT_EQ(errorOf([] { CreateCanvas(0, 0, 10, 10, 0, 0); }), "Invalid Group Gadget handle");
    EXPECT_EQ(errorOf([] {
                  KrString* title = krNewString("w");
                  int window = CreateWindow(title, 0, 0, 50, 50, 0, 15);
                  CanvasBuffer(window);
              }),
              "Invalid Canvas Gadget handle");
    EXPECT_EQ(errorOf([] { MouseX(12345); }), "Invalid Canvas Gadget handle");
}
