// The "Native" (GDI) back end under the X display: bitmap depths, pitches
// and the counted memory context; the GDI shapes read back through the
// pixels; text clipped to the viewport over an untouched background; the
// desktop screen without graphics, a windowed screen and a canvas reaching
// their windows; and SetGfxDriver bringing up the whole configuration.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <strings.h>
#include <vector>

#include "gfx2d/backends/gdi/win32_gdi_screen.h"
#include "gfx2d/dib_layout.h"
#include "gfx2d/graphics_display.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_canvas.h"
#include "gfx2d/kr_font.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "lang/kr_string.h"
#include "support/display_commands.h"
#include "support/program_harness.h"

namespace {

constexpr uint32_t kBlack = 0xFF000000, kRed = 0xFFFF0000, kBlue = 0xFF0000FF, kWhite = 0xFFFFFFFF;

uint32_t pixelAt(KrGraphics* g, int x, int y) {
    uint32_t v = 0;
    g->readPixels(x, y, 1, 1, &v, 4);
    return v;
}

// A buffer on a new graphics of the running 2D driver, current, filled black.
K2DBuffer* newBuffer(int width, int height) {
    KrGraphics* graphics = driver2D().createGraphics(width, height, 0, 0);
    auto* buffer = new K2DBuffer(graphics);
    graphics->release();
    k2dGraphics().setCurrent(buffer);
    driver2D().setViewport(KrRect{0, 0, width, height});
    driver2D().setColor(kBlack);
    driver2D().rect(0, 0, width, height, true);
    return buffer;
}

// Rows of '#' (ink), '.' (background) and '?' (anything else), '|' between.
std::string grid(KrGraphics* g, uint32_t ink, uint32_t background) {
    std::string s;
    for (int y = 0; y < g->height(); ++y) {
        for (int x = 0; x < g->width(); ++x) {
            uint32_t v = pixelAt(g, x, y) | 0xFF000000;
            s += v == ink ? '#' : v == background ? '.' : '?';
        }
        s += '|';
    }
    return s;
}

struct Box {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1; // inclusive
    int count = 0;
    int others = 0; // pixels neither ink nor background
};

Box inkBox(KrGraphics* g, uint32_t ink, uint32_t background) {
    Box b;
    for (int y = 0; y < g->height(); ++y)
        for (int x = 0; x < g->width(); ++x) {
            uint32_t v = pixelAt(g, x, y) | 0xFF000000;
            if (v == ink) {
                b.left = std::min(b.left, x);
                b.top = std::min(b.top, y);
                b.right = std::max(b.right, x);
                b.bottom = std::max(b.bottom, y);
                ++b.count;
            } else if (v != background) {
                ++b.others;
            }
        }
    return b;
}

RunRecord runNative(void (*body)()) {
    return runAsProgram([body] {
        SetGfxDriver(1);
        body();
    });
}

std::string errorOf(void (*body)()) { return runNative(body).error(); }

} // namespace

TEST(GdiBitmaps, DepthsGiveFormatsPitchesAndOneCountedContext) {
    RunRecord run = runNative([] {
        const int bits[] = {16, 24, 32};
        const int formats[] = {2, 3, 7};
        const int pitches[] = {12, 16, 20}; // 5 pixels: 10, 15, 20 bytes rounded up to 4
        // 5-5-5 keeps the top five bits of each channel: red reads back as 0xF8.
        const uint32_t reds[] = {0xFFF80000u, kRed, kRed};
        int before = win32DibContexts();
        for (int i = 0; i < 3; ++i) {
            Win32DIBGraphics* g = Win32DIBGraphics::create(5, 3, bits[i]);
            uint8_t* pixels;
            int pitch, format;
            g->lock(&pixels, &pitch, &format);
            g->unlock();
            EXPECT_EQ(format, formats[i]) << bits[i] << " bits";
            EXPECT_EQ(pitch, pitches[i]) << bits[i] << " bits";
            EXPECT_EQ(pitch, dibPitch(5, 3, bits[i]));
            EXPECT_EQ(g->dcCount(), 0);
            HDC first = g->dc();
            HDC second = g->dc();
            EXPECT_NE(first, nullptr);
            EXPECT_EQ(second, first) << "one context, counted";
            EXPECT_EQ(win32DibContexts(), before + 1);
            g->releaseDc();
            EXPECT_EQ(win32DibContexts(), before + 1) << "still taken once";
            g->releaseDc();
            EXPECT_EQ(win32DibContexts(), before);
            // A fill through the bitmap's memory and a GDI fill through the
            // context land in the same pixels.
            g->fillRect(0, 0, 5, 3, kBlack);
            {
                DibDc dc(g);
                RECT r = {1, 1, 3, 2};
                HBRUSH brush = CreateSolidBrush(RGB(255, 0, 0));
                FillRect(dc.get(), &r, brush);
                DeleteObject(brush);
            }
            EXPECT_EQ(pixelAt(g, 1, 1) | 0xFF000000, reds[i]) << bits[i] << " bits";
            EXPECT_EQ(pixelAt(g, 2, 1) | 0xFF000000, reds[i]);
            EXPECT_EQ(pixelAt(g, 3, 1) | 0xFF000000, kBlack);
            EXPECT_EQ(pixelAt(g, 1, 2) | 0xFF000000, kBlack);
            g->release();
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(GdiBitmaps, BadDepthsAndSizesAreRefused) {
    EXPECT_EQ(errorOf([] { Win32DIBGraphics::create(4, 4, 8); }), "Illegal DIB bits");
    EXPECT_EQ(errorOf([] { Win32DIBGraphics::create(4, 4, 15); }), "Illegal DIB bits");
    EXPECT_EQ(errorOf([] { Win32DIBGraphics::create(0, 5, 24); }), "CreateDIBSection failed:0 5");
    EXPECT_EQ(errorOf([] { Win32DIBGraphics::create(60000, 60000, 32); }), "CreateDIBSection failed:60000 60000");
}

TEST(GdiDriver, ShapesAndLinesHaveTheirExactPixels) {
    RunRecord run = runNative([] {
        K2DBuffer* buffer = newBuffer(12, 10);
        KrGrDriver2D& d = driver2D();
        EXPECT_STREQ(d.name(), "Win32GDIGrDriver2D");
        d.setColor(kRed);
        d.rect(1, 1, 5, 4, false);  // the border of a 5 x 4 box
        d.plot(8, 1);
        d.line(7, 3, 10, 3);        // both end points
        d.line(11, 0, 11, 4);
        d.line(8, 5, 8, 5);         // one point
        d.line(0, 6, 3, 9);         // a diagonal
        d.rect(5, 7, 3, 2, true);
        d.rect(2, 2, 0, 5, true);   // empty: nothing
        // The viewport clips every shape, a line's end point too.
        d.setViewport(KrRect{9, 6, 12, 10});
        d.rect(0, 0, 12, 10, false);
        d.line(9, 7, 20, 7);
        const char* expected = "...........#|"
                               ".#####..#..#|"
                               ".#...#.....#|"
                               ".#...#.#####|"
                               ".#####.....#|"
                               "........#...|"
                               "#..........#|"
                               ".#...###.###|"
                               "..#..###...#|"
                               "...#.....###|";
        EXPECT_EQ(grid(buffer->graphics(), kRed, kBlack), expected);
        buffer->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(GdiDriver, OvalsStayInsideTheirBox) {
    RunRecord run = runNative([] {
        K2DBuffer* buffer = newBuffer(14, 11);
        KrGrDriver2D& d = driver2D();
        for (bool solid : {true, false}) {
            d.setColor(kBlack);
            d.rect(0, 0, 14, 11, true);
            d.setColor(kRed);
            d.oval(2, 2, 9, 7, solid);
            Box b = inkBox(buffer->graphics(), kRed, kBlack);
            EXPECT_EQ(b.left, 2) << "solid " << solid;
            EXPECT_EQ(b.top, 2);
            EXPECT_EQ(b.right, 10);
            EXPECT_EQ(b.bottom, 8);
            EXPECT_EQ(b.others, 0);
            EXPECT_EQ(pixelAt(buffer->graphics(), 6, 5), solid ? kRed : kBlack) << "centre, solid " << solid;
        }
        buffer->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(GdiDriver, TextIsClippedToTheViewportOverAnUntouchedBackground) {
    RunRecord run = runNative([] {
        K2DBuffer* buffer = newBuffer(60, 24);
        KrGrDriver2D& d = driver2D();
        KrGraphics* g = buffer->graphics();
        KrString* text = krNewString("HH");
        int w = 0, h = 0;
        d.font()->measure(text, w, h);
        ASSERT_GT(w, 0);
        d.setColor(kBlue);
        d.rect(0, 0, 60, 24, true);
        d.setColor(kWhite);
        d.text(3, 4, text);
        Box b = inkBox(g, kWhite, kBlue);
        EXPECT_GT(b.count, 0);
        EXPECT_EQ(b.others, 0) << "only ink and the background it left";
        EXPECT_GE(b.left, 3);
        EXPECT_GE(b.top, 4);
        EXPECT_LT(b.right, 3 + w);
        EXPECT_LT(b.bottom, 4 + h);

        // Cut by the viewport: the part inside is drawn as before.
        d.setColor(kBlue);
        d.rect(0, 0, 60, 24, true);
        int cut = b.left + 1;
        d.setViewport(KrRect{0, 0, cut + 1, 24});
        d.setColor(kWhite);
        d.text(3, 4, text);
        Box clipped = inkBox(g, kWhite, kBlue);
        EXPECT_GT(clipped.count, 0);
        EXPECT_LE(clipped.right, cut);
        EXPECT_EQ(clipped.others, 0);
        // Wholly outside: nothing at all (the background made whole again
        // first, or the ink left by the cut text would count).
        d.setViewport(KrRect{0, 0, 60, 24});
        d.setColor(kBlue);
        d.rect(0, 0, 60, 24, true);
        d.setViewport(KrRect{40, 0, 60, 24});
        d.setColor(kWhite);
        d.text(3, 4, text);
        EXPECT_EQ(inkBox(g, kWhite, kBlue).count, 0);
        text->release();
        buffer->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(GdiDriver, OnlyTheCurrentTargetHoldsAContext) {
    RunRecord run = runNative([] {
        int before = win32DibContexts();
        K2DBuffer* a = newBuffer(8, 8);
        K2DBuffer* b = newBuffer(8, 8);
        EXPECT_EQ(win32DibContexts(), before + 1) << "b is current, a let go";
        k2dGraphics().setCurrent(a);
        driver2D().setColor(kRed);
        driver2D().rect(0, 0, 2, 2, false);
        EXPECT_EQ(win32DibContexts(), before + 1);
        b->release();
        a->release(); // the current buffer: the driver lets go with it
        EXPECT_EQ(win32DibContexts(), before);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(GdiScreen, TheDesktopHasNoGraphicsAndOneModeIsListed) {
    RunRecord run = runNative([] {
        EXPECT_EQ(CountGfxModes(), 1);
        EXPECT_EQ(GfxModeWidth(1), 640);
        EXPECT_EQ(GfxModeHeight(1), 480);
        EXPECT_EQ(GfxModeFormat(1), 1);
        EXPECT_EQ(GfxModeDepth(1), 16);
        EXPECT_EQ(GraphicsWidth(), 0);
        EXPECT_EQ(GraphicsHeight(), 0);
        EXPECT_EQ(GraphicsDepth(), 0);
        EXPECT_EQ(ScanLine(), 0);
        EXPECT_EQ(TotalVidMem(), 0);
        VWait(3);
        Flip(0); // the desktop does not flip
        POINT p = {};
        GetCursorPos(&p);
        EXPECT_EQ(MouseX(0), p.x);
        EXPECT_EQ(MouseY(0), p.y);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(errorOf([] { DesktopBuffer(); }), "The desktop has no graphics");
}

TEST(GdiScreen, AWindowedDisplayFlipsOntoItsWindow) {
    RunRecord run = runNative([] {
        // Wider than the narrowest window a caption allows.
        Graphics(160, 48, 32, 2);
        EXPECT_EQ(GraphicsWidth(), 160);
        EXPECT_EQ(GraphicsFormat(), 3) << "24-bit whatever depth was asked";
        EXPECT_EQ(GraphicsDepth(), 24);
        auto* screen = dynamic_cast<Win32GDIScreen*>(activeScreen());
        ASSERT_NE(screen, nullptr);
        RECT client;
        GetClientRect(screen->window(), &client);
        EXPECT_EQ(client.right, 160);
        EXPECT_EQ(client.bottom, 48);
        K2DBuffer* back = graphicsDisplayBuffer();
        EXPECT_EQ(pixelAt(back->graphics(), 159, 47), kBlack);
        driver2D().setColor(kRed);
        driver2D().rect(10, 10, 5, 5, true);
        Flip(0);
        HDC dc = GetDC(screen->window());
        EXPECT_EQ(GetPixel(dc, 12, 12), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(dc, 20, 20), RGB(0, 0, 0));
        ReleaseDC(screen->window(), dc);
        EndGraphics();
        EXPECT_EQ(FrontBuffer(), 0);
        EXPECT_EQ(GraphicsWidth(), 0) << "the desktop again";
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(GdiScreen, FullScreenSetsTheModeAndGivesItBack) {
    static int desktopWidth;
    desktopWidth = GetSystemMetrics(SM_CXSCREEN);
    RunRecord run = runNative([] {
        Graphics(640, 480, 32, 0);
        EXPECT_EQ(GraphicsWidth(), 640);
        EXPECT_EQ(GraphicsFormat(), 3);
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), 640);
        Flip(0);
        EndGraphics();
        EXPECT_EQ(GetSystemMetrics(SM_CXSCREEN), desktopWidth) << "the display mode given back";
    });
    if (run.error() == "Failed to set display mode") GTEST_SKIP() << "the display cannot change to 640x480x32";
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(GdiCanvas, FlipsAndRepaintsFromItsGraphics) {
    RunRecord run = runNative([] {
        KrString* title = krNewString("gdi canvas");
        int window = CreateWindow(title, 20, 20, 200, 150, 0, 15);
        title->release();
        int canvas = CreateCanvas(4, 4, 40, 30, window, 0);
        auto* buffer = castHandle<K2DBuffer>(CanvasBuffer(canvas));
        ASSERT_EQ(buffer->graphics()->width(), 40);
        ASSERT_EQ(buffer->graphics()->height(), 30);
        EXPECT_EQ(pixelAt(buffer->graphics(), 5, 5), kBlack);
        k2dGraphics().setCurrent(buffer);
        driver2D().setColor(kRed);
        driver2D().rect(0, 0, 20, 30, true);
        FlipCanvas(canvas, 0);
        HWND hwnd = reinterpret_cast<HWND>(static_cast<intptr_t>(castHandle<KrCanvas>(canvas)->query(2)));
        HDC dc = GetDC(hwnd);
        EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(dc, 30, 5), RGB(0, 0, 0));
        // Painted over from outside, the window asks to be repainted and
        // shows its graphics again.
        RECT all = {0, 0, 40, 30};
        FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
        ReleaseDC(hwnd, dc);
        InvalidateRect(hwnd, nullptr, FALSE);
        UpdateWindow(hwnd);
        dc = GetDC(hwnd);
        EXPECT_EQ(GetPixel(dc, 5, 5), RGB(255, 0, 0));
        EXPECT_EQ(GetPixel(dc, 30, 5), RGB(0, 0, 0));
        ReleaseDC(hwnd, dc);
        FreeGadget(window);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// Each configuration brings up its own screen, canvas and 2D drivers, and
// what the old one made goes with it.
TEST(GfxDriverSwitch, EachDriverComesUpWholeAndTheOldOneGoes) {
    RunRecord run = runAsProgram([] {
        for (int driver : {1, 3, 2, 1}) {
            SetGfxDriver(driver);
            const char* name = krText(GfxDriverName(driver));
            if (driver == 2 && !activeScreenDriver()) continue; // not built into this runtime
            ASSERT_NE(activeScreenDriver(), nullptr) << name;
            ASSERT_NE(activeDriver2D(), nullptr) << name;
            ASSERT_NE(activeCanvasDriver(), nullptr) << name;
            EXPECT_EQ(strcasecmp(activeScreenDriver()->config(), name), 0) << activeScreenDriver()->name();
            EXPECT_EQ(strcasecmp(activeDriver2D()->config(), name), 0) << activeDriver2D()->name();
            EXPECT_EQ(strcasecmp(activeCanvasDriver()->config(), name), 0) << activeCanvasDriver()->name();
            EXPECT_EQ(FrontBuffer(), 0) << name;
            EXPECT_EQ(k2dGraphics().current(), nullptr) << name;
            Graphics(32, 24, 0, 2);
            int front = FrontBuffer();
            ASSERT_NE(front, 0);
            driver2D().setColor(kRed);
            driver2D().rect(0, 0, 4, 4, true);
            EXPECT_EQ(pixelAt(graphicsDisplayBuffer()->graphics(), 1, 1) | 0xFF000000, kRed) << name;
            Flip(0);
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
}
