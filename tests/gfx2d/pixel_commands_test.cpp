// The per-pixel commands: origins, clipping to the graphics, the clear
// colour outside, the checks of the fast forms, and CopyRect's clipping
// against both graphics.
#include <gtest/gtest.h>

#include "support/draw_canvas.h"
#include "support/gfx2d_commands.h"
#include "support/program_harness.h"

TEST(PixelCommands, ReadAndWriteAddTheOriginAndStopAtTheEdges) {
    RunRecord run = runAsProgram([] {
        DrawCanvas canvas(4, 3, 1);
        ClsColor(10, 20, 30);
        Origin(1, 1);
        WritePixel(0, 0, 0x00123456, 0);
        EXPECT_EQ(canvas.raw(1, 1), 0x11AAu); // 5-6-5 of 0x123456
        EXPECT_EQ(static_cast<uint32_t>(ReadPixel(0, 0, 0)), 0xFF103450u);
        WritePixel(3, 0, -1, 0); // (4, 1): outside, nothing happens
        EXPECT_EQ(canvas.raw(3, 1), 0u);
        EXPECT_EQ(static_cast<uint32_t>(ReadPixel(3, 0, 0)), 0xFF0A141Eu);
        EXPECT_EQ(static_cast<uint32_t>(ReadPixel(-2, 0, canvas.handle())), 0xFF0A141Eu);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(PixelCommands, FastFormsNeedALockAndAPositionInside) {
    RunRecord run = runAsProgram([] {
        DrawCanvas canvas(3, 2, 7);
        LockBuffer(0);
        WritePixelFast(2, 1, 0x80FF0000, 0);
        EXPECT_EQ(canvas.raw(2, 1), 0x80FF0000u); // the word as given: alpha too
        Origin(5, 5);                             // not added by the fast forms
        EXPECT_EQ(static_cast<uint32_t>(ReadPixelFast(2, 1, 0)), 0x80FF0000u);
        CopyPixelFast(2, 1, 0, 0, 0, canvas.handle());
        EXPECT_EQ(canvas.raw(0, 0), 0x80FF0000u);
        UnlockBuffer(0);
        EXPECT_EQ(canvas.raw(0, 0), 0x80FF0000u);
        ReadPixelFast(0, 0, 0);
    });
    EXPECT_EQ(run.error(), "Buffer is not locked");

    RunRecord outside = runAsProgram([] {
        DrawCanvas canvas(3, 2);
        LockBuffer(0);
        WritePixelFast(3, 0, 0, 0);
    });
    EXPECT_EQ(outside.error(), "Pixel 3,0 is outside the 3x2 buffer");
    RunRecord negative = runAsProgram([] {
        DrawCanvas canvas(3, 2);
        LockBuffer(0);
        ReadPixelFast(0, -1, 0);
    });
    EXPECT_EQ(negative.error(), "Pixel 0,-1 is outside the 3x2 buffer");
}

TEST(PixelCommands, CopyPixelConvertsBetweenFormatsWithEachOrigin) {
    RunRecord run = runAsProgram([] {
        DrawCanvas to(2, 2, 2);
        DrawCanvas from(2, 2, 4);
        WritePixel(1, 1, 0x00FFFFFF, 0);
        Origin(1, 0);
        SetBuffer(to.handle());
        Origin(0, 1);
        CopyPixel(0, 1, from.handle(), 1, 0, 0); // (1,1) of from to (1,1) of to
        EXPECT_EQ(to.raw(1, 1), 0x7FFFu);
        CopyPixel(1, 1, from.handle(), 0, 0, 0); // source (2,1) is outside
        EXPECT_EQ(to.raw(0, 1), 0u);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(PixelCommands, CopyRectClipsAgainstBothGraphicsIgnoringOrigins) {
    RunRecord run = runAsProgram([] {
        DrawCanvas to(4, 4);
        DrawCanvas from(3, 3);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 3; ++x) WritePixel(x, y, 0xFF000000 | (y * 3 + x + 1), 0);
        Origin(9, 9);
        Viewport(0, 0, 1, 1);
        // Source (-1..2, 1..4) to dest (2..5, -1..2): cut on every side.
        CopyRect(-1, 1, 3, 3, 2, -1, from.handle(), to.handle());
        std::vector<uint32_t> got;
        for (int y = 0; y < 4; ++y)
            for (int x = 0; x < 4; ++x) got.push_back(to.raw(x, y) & 0xFF);
        // Dest (3,0) <- source (0,2) = 7; (3,1) <- (0,3) is outside the source.
        EXPECT_EQ(got, (std::vector<uint32_t>{0, 0, 0, 7, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
    });
    EXPECT_TRUE(run.finished) << run.error();
}
