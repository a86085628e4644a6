// Text drawn onto pixmaps: the colour lands only where the glyphs are, in
// every pixel format, the background keeps every pixel it had, and nothing
// lands outside the clip rectangle or the pixmap. The glyph shapes come from
// the platform, so the checks compare drawings with each other (moved,
// clipped, in other formats) rather than with fixed pictures.
#include <gtest/gtest.h>

#include <climits>
#include <cstdint>
#include <cstring>
#include <vector>

#include "gfx2d/kr_font.h"
#include "gfx2d/kr_pixmap.h"
#include "gfx2d/pixel_format.h"
#include "gfx2d/win32/win32_font.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int LoadFont(KrString* name, int height, int bold, int italic, int underline);
__attribute__((stdcall)) void FreeFont(int font);
}

namespace {

constexpr int kW = 96, kH = 40;
constexpr uint32_t kInk = 0xFF30C060;
// Bars at both ends: their ink lies well inside their advance widths in any
// face, so the measured box holds all of the ink.
const char kText[] = "|Hg|";
const int kFormats[] = {1, 2, 3, 4, 7};

// A background in which neighbouring pixels differ; its green stays below
// 0x80, so no pixel of it is the ink (green 0xC0) in any format.
uint32_t background(int x, int y) { return 0xFF000000u | ((x * 2654435761u + y * 40503u) & 0xFF7FFF); }

bool sameColor(int format, uint32_t a, uint32_t b) {
    return format == 7 ? a == b : (a & 0xFFFFFF) == (b & 0xFFFFFF);
}

struct Drawing {
    int format;
    std::vector<uint32_t> before, after;
    uint32_t at(int x, int y) const { return after[y * kW + x]; }
    bool inked(int x, int y) const { return sameColor(format, at(x, y), quantize(format, kInk)); }
    int inkCount() const {
        int n = 0;
        for (int y = 0; y < kH; ++y)
            for (int x = 0; x < kW; ++x) n += inked(x, y);
        return n;
    }
};

KrFont* loadFont(const char* face, int height, int italic = 0) {
    KrString* name = krNewString(face);
    int font = LoadFont(name, height, 0, italic, 0);
    name->release();
    return reinterpret_cast<KrFont*>(font);
}

Drawing draw(KrFont* font, int format, int x, int y, int clipLeft = INT_MIN, int clipTop = INT_MIN,
             int clipRight = INT_MAX, int clipBottom = INT_MAX, uint32_t ink = kInk, const char* text = kText) {
    Drawing d{format, std::vector<uint32_t>(kW * kH), std::vector<uint32_t>(kW * kH)};
    KrPixmap* pixmap = KrPixmap::create(kW, kH, format, 4);
    std::vector<uint32_t> fill(kW * kH);
    for (int py = 0; py < kH; ++py)
        for (int px = 0; px < kW; ++px) fill[py * kW + px] = background(px, py);
    pixmap->writePixels(0, 0, kW, kH, fill.data(), kW * 4);
    pixmap->readPixels(0, 0, kW, kH, d.before.data(), kW * 4);
    drawText(*pixmap, *font, x, y, text, static_cast<int>(std::strlen(text)), ink, clipLeft, clipTop, clipRight,
             clipBottom);
    pixmap->readPixels(0, 0, kW, kH, d.after.data(), kW * 4);
    pixmap->release();
    return d;
}

// Every pixel is either as it was or the ink; returns the count of pixels
// that changed to something else.
int strayPixels(const Drawing& d) {
    int stray = 0;
    for (int i = 0; i < kW * kH; ++i)
        if (d.after[i] != d.before[i] && !sameColor(d.format, d.after[i], quantize(d.format, kInk))) ++stray;
    return stray;
}

} // namespace

TEST(Text, InkOnlyWhereGlyphsAreInEveryFormat) {
    RunRecord run = runAsProgram([] {
        KrFont* font = loadFont("courier", 20);
        int width = 0, height = 0;
        font->measureBytes(kText, sizeof kText - 1, width, height);
        Drawing reference = draw(font, 4, 10, 6);
        int inked = reference.inkCount();
        EXPECT_GT(inked, 20) << "hardly any ink";
        EXPECT_LT(inked, width * height / 2) << "the text box was filled rather than the glyphs drawn";
        for (int format : kFormats) {
            Drawing d = draw(font, format, 10, 6);
            EXPECT_EQ(strayPixels(d), 0) << "format " << format;
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    bool inside = x >= 10 && x < 10 + width && y >= 6 && y < 6 + height;
                    if (!inside) {
                        ASSERT_FALSE(d.inked(x, y)) << "ink outside the text box at " << x << "," << y;
                    }
                    ASSERT_EQ(d.inked(x, y), reference.inked(x, y))
                        << "format " << format << " differs from format 4 at " << x << "," << y;
                }
        }
        FreeFont(toHandle(font));
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Text, Format7KeepsTheInksAlpha) {
    RunRecord run = runAsProgram([] {
        KrFont* font = loadFont("courier", 20);
        Drawing d = draw(font, 7, 4, 4, INT_MIN, INT_MIN, INT_MAX, INT_MAX, 0x80FF2010);
        int inked = 0;
        for (int i = 0; i < kW * kH; ++i) inked += d.after[i] == 0x80FF2010u;
        EXPECT_GT(inked, 20);
        FreeFont(toHandle(font));
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// Moving the text moves its pixels; a clip rectangle keeps exactly the
// unclipped drawing's ink inside it and none outside; text hanging over the
// pixmap's edges loses what lies beyond them.
TEST(Text, ClippingCutsTheSameGlyphsWithoutShiftingThem) {
    RunRecord run = runAsProgram([] {
        KrFont* font = loadFont("courier", 20);
        for (int format : {1, 3, 7}) {
            Drawing whole = draw(font, format, 20, 10);
            Drawing moved = draw(font, format, 27, 14);
            Drawing clipped = draw(font, format, 20, 10, 25, 12, 40, 22);
            Drawing overEdge = draw(font, format, -7, -6);
            EXPECT_EQ(strayPixels(clipped), 0);
            EXPECT_EQ(strayPixels(overEdge), 0);
            for (int y = 0; y < kH; ++y)
                for (int x = 0; x < kW; ++x) {
                    bool wholeAt = whole.inked(x, y);
                    if (x + 7 < kW && y + 4 < kH) {
                        ASSERT_EQ(moved.inked(x + 7, y + 4), wholeAt) << "moved, at " << x << "," << y;
                    }
                    bool inClip = x >= 25 && x < 40 && y >= 12 && y < 22;
                    ASSERT_EQ(clipped.inked(x, y), wholeAt && inClip) << "clipped, at " << x << "," << y;
                    if (x >= 27 && y >= 16) {
                        ASSERT_EQ(overEdge.inked(x - 27, y - 16), wholeAt) << "over the edge, at " << x << "," << y;
                    }
                }
            EXPECT_GT(clipped.inkCount(), 0) << "the clip rectangle should catch some glyph pixels";
        }
        FreeFont(toHandle(font));
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Text, NothingDrawnWhereNothingShows) {
    RunRecord run = runAsProgram([] {
        KrFont* font = loadFont("courier", 20);
        Drawing cases[] = {
            draw(font, 4, INT_MAX - 3, 5),         // starts past the right edge, near the int range
            draw(font, 4, INT_MIN + 2, 5),         // ends far left of the pixmap
            draw(font, 4, 5, INT_MIN),             // far above
            draw(font, 4, 5, 5, 30, 30, 30, 40),   // empty clip rectangle
            draw(font, 4, 5, 5, 200, 0, 300, 40),  // clip rectangle beside the pixmap
        };
        for (const Drawing& d : cases) EXPECT_EQ(d.after, d.before);
        FreeFont(toHandle(font));
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// An italic letter leans past its advance width: that ink is drawn too, not
// cut off at the measured width.
TEST(Text, ItalicInkPastTheLastAdvanceIsDrawn) {
    bool leans = false;
    RunRecord run = runAsProgram([&] {
        KrFont* font = loadFont("arial", 30, 1);
        int left = 0, right = 0;
        static_cast<Win32Font*>(font)->overhangs('H', 'f', left, right);
        leans = right > 0;
        if (leans) {
            int width = 0, height = 0;
            font->measureBytes("Hf", 2, width, height);
            Drawing d = draw(font, 4, 10, 2, INT_MIN, INT_MIN, INT_MAX, INT_MAX, kInk, "Hf");
            int past = 0;
            for (int y = 0; y < kH; ++y)
                for (int x = 10 + width; x < kW; ++x) past += d.inked(x, y);
            EXPECT_GT(past, 0) << "the slant of the last letter was cut at the advance width " << width;
            EXPECT_EQ(strayPixels(d), 0);
        }
        FreeFont(toHandle(font));
    });
    EXPECT_TRUE(run.finished) << run.error();
    if (!leans) GTEST_SKIP() << "the platform's italic face has no overhang to test";
}
