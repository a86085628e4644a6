// Buffers: the current buffer, nested locking and the pixel bank, and that a
// buffer which goes never stays current.
#include <gtest/gtest.h>

#include "gfx2d/k2d_buffer.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_font.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "gfx2d/kr_pixmap.h"
#include "support/gfx2d_commands.h"
#include "support/program_harness.h"
#include "system/kr_bank.h"

namespace {

// A buffer over a new pixmap; the buffer's context keeps the pixmap alive.
K2DBuffer* newBuffer(int w, int h, int format) {
    auto* pixmap = KrPixmap::create(w, h, format, 4);
    auto* buffer = new K2DBuffer(pixmap);
    pixmap->release();
    return buffer;
}

} // namespace

TEST(Buffer, LocksNestAndLendThePixelsToTheBank) {
    RunRecord run = runAsProgram([] {
        K2DBuffer* b = newBuffer(5, 3, 3);
        int h = toHandle(b);
        EXPECT_EQ(SetBuffer(h), 0);
        EXPECT_EQ(GraphicsBuffer(), h);
        LockBuffer(0);
        LockBuffer(h);
        UnlockBuffer(0);
        EXPECT_EQ(LockedPitch(0), 16);
        EXPECT_EQ(LockedFormat(h), 3);
        auto* bank = castHandle<KrBank>(LockedPixels(0));
        EXPECT_EQ(bank->size(), 0);
        EXPECT_EQ(bank->data(), static_cast<KrPixmap*>(b->graphics())->pixels());
        UnlockBuffer(0);
        EXPECT_EQ(bank->data(), nullptr);
        LockedPitch(0);
    });
    EXPECT_EQ(run.error(), "Buffer is not locked");
}

TEST(Buffer, ABufferThatGoesStopsBeingCurrent) {
    RunRecord run = runAsProgram([] {
        K2DBuffer* a = newBuffer(4, 4, 4);
        K2DBuffer* b = newBuffer(4, 4, 4);
        SetBuffer(toHandle(a));
        EXPECT_EQ(SetBuffer(toHandle(b)), toHandle(a));
        int live = static_cast<int>(liveObjects().size());
        b->release(); // buffer, context, pixmap and bank go
        EXPECT_EQ(static_cast<int>(liveObjects().size()), live - 4);
        EXPECT_EQ(GraphicsBuffer(), 0);
        LockBuffer(0);
    });
    EXPECT_EQ(run.error(), "No graphics buffer is set");

    RunRecord bad = runAsProgram([] { LockBuffer(12345); });
    EXPECT_EQ(bad.error(), "Invalid Buffer handle");
}

namespace {

class ForeignFont : public KrFont {
public:
    int maxCharWidth() override { return 1; }
    int ascent() override { return 1; }
    int lineHeight() override { return 1; }
    int descent() override { return 0; }
    void measureBytes(const char*, int, int& w, int& h) override { w = h = 1; }
};

} // namespace

TEST(Buffer, TheDriverRefusesContextsAndFontsOfOtherKinds) {
    RunRecord font = runAsProgram([] {
        K2DBuffer* b = newBuffer(2, 2, 4);
        SetBuffer(toHandle(b));
        SetFont(toHandle(new ForeignFont));
    });
    EXPECT_EQ(font.error(), "Incompatible font");

    RunRecord notFont = runAsProgram([] {
        K2DBuffer* b = newBuffer(2, 2, 4);
        SetBuffer(toHandle(b));
        SetFont(toHandle(b));
    });
    EXPECT_EQ(notFont.error(), "Invalid Font handle");

    RunRecord context = runAsProgram([] {
        KrPixmap* p = KrPixmap::create(2, 2, 4, 4);
        activeDriver2D()->setContext(new KrGrContext(p, activeDriver2D()));
    });
    EXPECT_EQ(context.error(), "Incompatible graphics context");
}
