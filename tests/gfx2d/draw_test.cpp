// Drawing on a buffer, pixel for pixel: lines in every octant and against
// every clipping side, rectangles, ovals solid and outlined (clipped too),
// Cls in a viewport, and the colour commands. Expected grids are worked out
// by hand (the ovals in single precision) from how each primitive is defined.
#include <gtest/gtest.h>

#include "lang/kr_string.h"
#include "support/draw_canvas.h"
#include "support/gfx2d_commands.h"
#include "support/program_harness.h"

namespace {

// Runs the body with a W x H canvas made current and gives its grid.
template <typename Body>
std::string drawn(int w, int h, Body body) {
    std::string grid;
    RunRecord run = runAsProgram([&] {
        DrawCanvas canvas(w, h);
        body(canvas);
        grid = canvas.grid();
    });
    EXPECT_TRUE(run.finished) << run.error();
    return grid;
}

// A grid with '#' at the given points.
std::string points(int w, int h, std::initializer_list<std::pair<int, int>> set) {
    std::string g;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool on = false;
            for (auto& p : set) on = on || (p.first == x && p.second == y);
            g += on ? '#' : '.';
        }
        g += '|';
    }
    return g;
}

struct LineCase {
    int x1, y1, x2, y2;
    std::initializer_list<std::pair<int, int>> pixels;
};

} // namespace

TEST(Draw, LinesInEveryOctantDrawBothEnds) {
    const LineCase cases[] = {
        {0, 0, 3, 1, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {4, 4, 8, 6, {{4, 4}, {5, 5}, {6, 5}, {7, 6}, {8, 6}}},
        {8, 6, 4, 4, {{8, 6}, {7, 5}, {6, 5}, {5, 4}, {4, 4}}},
        {4, 4, 0, 6, {{4, 4}, {3, 5}, {2, 5}, {1, 6}, {0, 6}}},
        {4, 4, 8, 2, {{4, 4}, {5, 3}, {6, 3}, {7, 2}, {8, 2}}},
        {4, 4, 6, 8, {{4, 4}, {5, 5}, {5, 6}, {6, 7}, {6, 8}}},
        {6, 8, 4, 4, {{6, 8}, {5, 7}, {5, 6}, {4, 5}, {4, 4}}},
        {4, 4, 2, 0, {{4, 4}, {3, 3}, {3, 2}, {2, 1}, {2, 0}}},
        {4, 4, 6, 0, {{4, 4}, {5, 3}, {5, 2}, {6, 1}, {6, 0}}},
        {0, 0, 3, 3, {{0, 0}, {1, 1}, {2, 2}, {3, 3}}},
        {5, 5, 5, 5, {{5, 5}}},
    };
    for (const LineCase& c : cases) {
        EXPECT_EQ(drawn(9, 9, [&](DrawCanvas&) { Line(c.x1, c.y1, c.x2, c.y2); }), points(9, 9, c.pixels))
            << "Line " << c.x1 << "," << c.y1 << " to " << c.x2 << "," << c.y2;
    }
}

TEST(Draw, LinesClipToTheViewportOnEverySide) {
    // Through the left and right sides.
    EXPECT_EQ(drawn(10, 10, [](DrawCanvas&) { Viewport(0, 0, 8, 8); Line(-10, 5, 10, 5); }),
              points(10, 10, {{0, 5}, {1, 5}, {2, 5}, {3, 5}, {4, 5}, {5, 5}, {6, 5}, {7, 5}}));
    // Through the top and bottom.
    EXPECT_EQ(drawn(10, 10, [](DrawCanvas&) { Viewport(0, 2, 10, 3); Line(3, -5, 3, 20); }),
              points(10, 10, {{3, 2}, {3, 3}, {3, 4}}));
    // A slanted line cut at the top (x moves by the truncated quotient)
    // and then at the right.
    EXPECT_EQ(drawn(8, 8, [](DrawCanvas&) { Viewport(0, 0, 6, 6); Line(-4, -2, 8, 4); }),
              points(8, 8, {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}}));
    // Both ends beyond the same side: nothing.
    EXPECT_EQ(drawn(6, 6, [](DrawCanvas&) { Line(-5, -5, -1, 10); Line(2, 7, 5, 9); }), points(6, 6, {}));
    // A viewport reaching past the graphics is cut to it; the origin moves
    // both ends.
    EXPECT_EQ(drawn(5, 5, [](DrawCanvas&) { Viewport(-100, -100, 1000, 1000); Origin(1, 1); Line(-21, 2, 29, 2); }),
              points(5, 5, {{0, 3}, {1, 3}, {2, 3}, {3, 3}, {4, 3}}));
    // Far-off coordinates do not wrap into view.
    EXPECT_EQ(drawn(4, 4, [](DrawCanvas&) { Line(-2000000000, 1, 2000000000, 1); Line(0x7FFFFFF0, 0, 0x7FFFFFFF, 3); }),
              "....|####|....|....|");
}

TEST(Draw, RectOutlinesAndSolids) {
    EXPECT_EQ(drawn(8, 6, [](DrawCanvas&) { Rect(2, 2, 4, 3, 0); Rect(2, 2, 0, 5, 1); Rect(1, 1, 5, -1, 0); }),
              "........|........|..####..|..#..#..|..####..|........|");
    // Each side of an outline is clipped on its own.
    EXPECT_EQ(drawn(6, 5, [](DrawCanvas&) { Viewport(1, 1, 4, 3); Rect(0, 0, 6, 5, 0); Rect(2, 2, 2, 1, 1); }),
              "......|......|..##..|......|......|");
    EXPECT_EQ(drawn(4, 3, [](DrawCanvas&) { Rect(-2, -1, 4, 3, 1); Plot(3, 2); Plot(4, 2); Plot(-1, 0); }),
              "##..|##..|...#|");
}

namespace {

struct OvalCase {
    int canvasW, canvasH, x, y, w, h, solid;
    int view[4];
    const char* grid;
};

const OvalCase ovals[] = {
    {1, 1, 0, 0, 1, 1, 1, {0, 0, 1, 1},
     "#|"},
    {1, 1, 0, 0, 1, 1, 0, {0, 0, 1, 1},
     "#|"},
    {2, 2, 0, 0, 2, 2, 1, {0, 0, 2, 2},
     "##|##|"},
    {2, 2, 0, 0, 2, 2, 0, {0, 0, 2, 2},
     "##|##|"},
    {3, 3, 0, 0, 3, 3, 1, {0, 0, 3, 3},
     "###|###|###|"},
    {3, 3, 0, 0, 3, 3, 0, {0, 0, 3, 3},
     "###|#.#|###|"},
    {4, 4, 0, 0, 4, 4, 1, {0, 0, 4, 4},
     ".##.|####|####|.##.|"},
    {4, 4, 0, 0, 4, 4, 0, {0, 0, 4, 4},
     ".##.|#..#|#..#|.##.|"},
    {5, 5, 0, 0, 5, 5, 1, {0, 0, 5, 5},
     ".###.|#####|#####|#####|.###.|"},
    {5, 5, 0, 0, 5, 5, 0, {0, 0, 5, 5},
     ".###.|#...#|#...#|#...#|.###.|"},
    {6, 6, 0, 0, 6, 6, 1, {0, 0, 6, 6},
     ".####.|######|######|######|######|.####.|"},
    {6, 6, 0, 0, 6, 6, 0, {0, 0, 6, 6},
     ".####.|#....#|#....#|#....#|#....#|.####.|"},
    {7, 7, 0, 0, 7, 7, 1, {0, 0, 7, 7},
     "..###..|.#####.|#######|#######|#######|.#####.|..###..|"},
    {7, 7, 0, 0, 7, 7, 0, {0, 0, 7, 7},
     "..###..|.#...#.|#.....#|#.....#|#.....#|.#...#.|..###..|"},
    {8, 8, 0, 0, 8, 8, 1, {0, 0, 8, 8},
     "..####..|.######.|########|########|########|########|.######.|..####..|"},
    {8, 8, 0, 0, 8, 8, 0, {0, 0, 8, 8},
     "..####..|.#....#.|#......#|#......#|#......#|#......#|.#....#.|..####..|"},
    {9, 9, 0, 0, 9, 9, 1, {0, 0, 9, 9},
     "..#####..|.#######.|#########|#########|#########|#########|#########|.#######.|..#####..|"},
    {9, 9, 0, 0, 9, 9, 0, {0, 0, 9, 9},
     "..#####..|.#.....#.|#.......#|#.......#|#.......#|#.......#|#.......#|.#.....#.|..#####..|"},
    {9, 9, 0, 0, 9, 9, 0, {0, 3, 9, 6},
     ".........|.........|.........|#.......#|#.......#|#.......#|.........|.........|.........|"},
    {9, 9, 0, 0, 9, 9, 1, {2, 0, 7, 9},
     "..#####..|..#####..|..#####..|..#####..|..#####..|..#####..|..#####..|..#####..|..#####..|"},
    {9, 9, 0, 0, 9, 9, 0, {0, 0, 9, 4},
     "..#####..|.#.....#.|#.......#|#.......#|.........|.........|.........|.........|.........|"},
    {9, 9, 0, 0, 9, 9, 0, {0, 5, 9, 9},
     ".........|.........|.........|.........|.........|#.......#|#.......#|.#.....#.|..#####..|"},
    {9, 6, 1, 0, 7, 5, 0, {0, 0, 9, 6},
     "..#####..|.#.....#.|.#.....#.|.#.....#.|..#####..|.........|"},
    {9, 6, 1, 0, 7, 5, 1, {0, 0, 9, 6},
     "..#####..|.#######.|.#######.|.#######.|..#####..|.........|"},
};

} // namespace

TEST(Draw, OvalsFromOneToNinePixelsSolidOutlinedAndClipped) {
    for (const OvalCase& c : ovals) {
        std::string got = drawn(c.canvasW, c.canvasH, [&](DrawCanvas&) {
            Viewport(c.view[0], c.view[1], c.view[2] - c.view[0], c.view[3] - c.view[1]);
            Oval(c.x, c.y, c.w, c.h, c.solid);
        });
        EXPECT_EQ(got, c.grid) << "Oval " << c.x << "," << c.y << " " << c.w << "x" << c.h << " solid " << c.solid
                               << " in viewport " << c.view[0] << "," << c.view[1] << "-" << c.view[2] << ","
                               << c.view[3];
    }
}

TEST(Draw, ClsFillsOnlyTheViewportWithTheClearColour) {
    RunRecord run = runAsProgram([] {
        DrawCanvas canvas(40, 40);
        ClsColor(1, 2, 3);
        Color(9, 9, 9);
        Viewport(10, 10, 20, 20);
        Cls();
        int inside = 0, outside = 0;
        for (int y = 0; y < 40; ++y)
            for (int x = 0; x < 40; ++x) {
                bool in = x >= 10 && x < 30 && y >= 10 && y < 30;
                uint32_t want = in ? 0xFF010203 : 0;
                (canvas.raw(x, y) == want ? inside : outside) += 1;
            }
        EXPECT_EQ(outside, 0);
        // The drawing colour is back after Cls.
        Plot(0, 0);
        EXPECT_EQ(canvas.raw(0, 0), 0u); // outside the viewport
        Plot(10, 10);
        EXPECT_EQ(canvas.raw(10, 10), 0xFF090909u);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Draw, ColourWordsSpillAndGetColorReadsThroughTheViewport) {
    RunRecord run = runAsProgram([] {
        DrawCanvas canvas(4, 4);
        Color(0, 256, 0);
        Plot(0, 0);
        EXPECT_EQ(canvas.raw(0, 0), 0xFF010000u);
        EXPECT_EQ(ColorRed(), 1);
        EXPECT_EQ(ColorGreen(), 0);
        Color(0x1AB, 0x22, 0x33);
        EXPECT_EQ(canvas.buffer->color, 0xFFAB2233u);
        Plot(1, 1);
        ClsColor(7, 8, 9);
        Color(0, 0, 0);
        GetColor(1, 1);
        EXPECT_EQ((std::vector<int>{ColorRed(), ColorGreen(), ColorBlue()}), (std::vector<int>{0xAB, 0x22, 0x33}));
        Viewport(2, 2, 2, 2);
        GetColor(1, 1); // outside the viewport: the clear colour
        EXPECT_EQ(canvas.buffer->color, 0xFF070809u);
        Origin(-1, -1);
        GetColor(3, 3); // (2, 2) after the origin
        EXPECT_EQ(canvas.buffer->color, 0xFF000000u);
        GetColor(100, 100);
        EXPECT_EQ(canvas.buffer->color, 0xFF070809u);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Draw, TextCentresByHalfItsMeasuredSizeTruncated) {
    RunRecord run = runAsProgram([] {
        KrString* text = krNewString("MWM");
        DrawCanvas centred(120, 60);
        Origin(3, 2);
        Text(40, 30, text, 1, 1);
        const int w = StringWidth(text), h = StringHeight(text);
        EXPECT_GT(w, 0);
        DrawCanvas placed(120, 60);
        Origin(3, 2);
        Text(40 + w / -2, 30 + h / -2, text, 0, 0);
        EXPECT_EQ(centred.grid(), placed.grid());
        EXPECT_NE(centred.grid().find('#'), std::string::npos);
        // Only x is centred.
        DrawCanvas half(120, 60);
        Origin(3, 2);
        Text(40, 30 + h / -2, text, 1, 0);
        EXPECT_EQ(half.grid(), placed.grid());
        EXPECT_EQ(StringWidth(krEmptyString()), 0);
        EXPECT_LE(FontHeight(), StringHeight(text));
        text->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}
