// Pixel formats and pixmaps: the conversion examples, pitches, the platform
// descriptions both ways and the mask rule of blit.
#include <gtest/gtest.h>

#include "gfx2d/kr_pixmap.h"
#include "gfx2d/pixel_format.h"
#include "support/program_harness.h"

TEST(PixelFormat, ConversionsShiftWithoutRoundingOrReplication) {
    EXPECT_EQ(toArgb(1, 0xFFFF), 0xFFF8FCF8u);
    EXPECT_EQ(toArgb(2, 0xFFFF), 0xFFF8F8F8u);
    EXPECT_EQ(toArgb(2, 0x7FFF), 0xFFF8F8F8u); // bit 15 is not colour
    EXPECT_EQ(fromArgb(1, 0xFFFFFFFF), 0xFFFFu);
    EXPECT_EQ(fromArgb(2, 0x00FF0000), 0x7C00u);
    EXPECT_EQ(quantize(1, 0x00123456), 0xFF103450u);
    EXPECT_EQ(toArgb(3, 0xAB123456), 0xFF123456u);
    EXPECT_EQ(fromArgb(3, 0xAB123456), 0x123456u);
    EXPECT_EQ(toArgb(4, 0x00123456), 0xFF123456u);
    EXPECT_EQ(fromArgb(4, 0x00123456), 0x00123456u); // top byte stored as given
    EXPECT_EQ(toArgb(7, 0x00123456), 0x00123456u);
    for (int code : {0, 5, 6, 8, -1}) EXPECT_EQ(toArgb(code, 0x1234), 0xFFFF00FFu) << code;
}

TEST(PixelFormat, BytesAndDepthPerCode) {
    const int bytes[] = {0, 2, 2, 3, 4, 2, 2, 4, 0};
    for (int code = 0; code <= 8; ++code) {
        EXPECT_EQ(bytesPerPixel(code), bytes[code]) << code;
        EXPECT_EQ(formatDepth(code), bytes[code] * 8) << code;
    }
}

TEST(PixelFormat, PixmapPitchRoundsRowsUpToTheAlignment) {
    RunRecord run = runAsProgram([] {
        struct Case { int w, h, format, align, pitch; };
        for (Case c : {Case{3, 1, 1, 4, 8}, Case{5, 2, 3, 4, 16}, Case{1, 1, 4, 4, 4}, Case{7, 1, 3, 8, 24}}) {
            KrPixmap* p = KrPixmap::create(c.w, c.h, c.format, c.align);
            EXPECT_EQ(p->pitch(), c.pitch) << c.w << "x" << c.h << " format " << c.format;
            p->release();
        }
        EXPECT_EQ(KrPixmap::tryCreate(1 << 16, 1 << 16, 4, 4), nullptr);
        EXPECT_EQ(KrPixmap::tryCreate(-1, 4, 4, 4), nullptr);
        KrPixmap::create(1 << 16, 1 << 16, 4, 4);
    });
    EXPECT_EQ(run.error(), "Out of memory");
}

TEST(PixelFormat, DescriptionsMapBothWays) {
    for (int code = 1; code <= 4; ++code) EXPECT_EQ(recognizeFormat(describeFormat(code), false), code);
    PixelDescription argb{32, 0xFF0000, 0xFF00, 0xFF, 0xFF000000};
    EXPECT_EQ(recognizeFormat(argb, false), 4); // the alpha mask is not looked at
    EXPECT_EQ(recognizeFormat(PixelDescription{16, 0xF00, 0xF0, 0xF, 0xF000}, false), 0);

    RunRecord bad = runAsProgram([] { recognizeFormat(PixelDescription{16, 0xF00, 0xF0, 0xF, 0xF000}, true); });
    EXPECT_EQ(bad.error(), "Unrecognized DirectDraw pixel format: bpp=16 rmask=f00 gmask=f0 bmask=f amask=f000");
    RunRecord seven = runAsProgram([] { describeFormat(7); });
    EXPECT_EQ(seven.error(), "Unrecognized Vorn pixel format: 7");
}

namespace {

// A one-row pixmap holding the given raw values.
KrPixmap* rowOf(int format, std::initializer_list<uint32_t> raws) {
    auto* p = KrPixmap::create(static_cast<int>(raws.size()), 1, format, 4);
    int x = 0;
    for (uint32_t raw : raws) storeRaw(format, p->pixels() + x++ * bytesPerPixel(format), raw);
    return p;
}

std::vector<uint32_t> rawsOf(KrPixmap* p) {
    std::vector<uint32_t> out;
    for (int x = 0; x < p->width(); ++x) out.push_back(loadRaw(p->format(), p->pixels() + x * bytesPerPixel(p->format())));
    return out;
}

} // namespace

TEST(PixelFormat, MaskedBlitComparesQuantisedColoursWithoutAlpha) {
    RunRecord run = runAsProgram([] {
        // 5-6-5: the mask 0x00FF00FF quantises to 0xFFF800F8, as 0xF81F reads.
        KrPixmap* src = rowOf(1, {0xF81F, 0x1234, 0xF81F});
        src->setMaskColor(0x00FF00FF);
        KrPixmap* dst = rowOf(1, {0xAAAA, 0xAAAA, 0xAAAA});
        dst->blit(0, 0, 3, 1, src, 0, 0, KrGraphics::kBlitMasked);
        EXPECT_EQ(rawsOf(dst), (std::vector<uint32_t>{0xAAAA, 0x1234, 0xAAAA}));

        // ARGB: alpha plays no part in the match.
        KrPixmap* argb = rowOf(7, {0x00FF00FF, 0x80FF00FF, 0x80FF00FE});
        argb->setMaskColor(0x00FF00FF);
        KrPixmap* to = rowOf(7, {1, 2, 3});
        to->blit(0, 0, 3, 1, argb, 0, 0, KrGraphics::kBlitMasked);
        EXPECT_EQ(rawsOf(to), (std::vector<uint32_t>{1, 2, 0x80FF00FE}));

        // Unmasked copies convert: XRGB reads with its top byte set.
        KrPixmap* xrgb = rowOf(4, {0x00123456});
        KrPixmap* out = rowOf(7, {0});
        out->blit(0, 0, 1, 1, xrgb, 0, 0, 0);
        EXPECT_EQ(rawsOf(out)[0], 0xFF123456u);

        // A reserved format reads as 0xFFFF00FF and takes no stores.
        KrPixmap* reserved = rowOf(5, {0x1111});
        uint32_t word = 0;
        reserved->readPixels(0, 0, 1, 1, &word, 4);
        EXPECT_EQ(word, 0xFFFF00FFu);
        reserved->fillRect(0, 0, 1, 1, 0xFF000000);
        reserved->blit(0, 0, 1, 1, xrgb, 0, 0, 0);
        EXPECT_EQ(rawsOf(reserved)[0], 0x1111u);
        for (KrPixmap* p : {src, dst, argb, to, xrgb, out, reserved}) p->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}
