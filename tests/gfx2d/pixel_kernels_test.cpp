// The fast pixel kernels against the per-pixel reference: random contents,
// sizes, offsets and pitches (contiguous rows too), every pair of formats
// 1, 2, 3, 4, 5 and 7, masked and unmasked, with mask colours that occur in
// the source as well as random ones.
#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "gfx2d/pixel_format.h"
#include "gfx2d/pixel_kernels.h"

namespace {

const int kFormats[] = {1, 2, 3, 4, 5, 7};

struct Area {
    std::vector<uint8_t> bytes;
    PixelArea area;
};

// w x h pixels at a random byte offset inside rows of a random pitch (or
// exactly the row size), filled with random bytes.
Area randomArea(std::mt19937& rng, int format, int w, int h, bool tight) {
    const int bpp = bytesPerPixel(format);
    const int pitch = tight ? w * bpp : w * bpp + static_cast<int>(rng() % 40);
    const int offset = tight ? 0 : static_cast<int>(rng() % 16);
    Area a;
    a.bytes.resize(offset + pitch * h + 16);
    for (uint8_t& b : a.bytes) b = static_cast<uint8_t>(rng());
    a.area = PixelArea{a.bytes.data() + offset, pitch, format};
    return a;
}

PixelArea same(Area& copy, const Area& of) {
    return PixelArea{copy.bytes.data() + (of.area.pixels - of.bytes.data()), of.area.pitch, of.area.format};
}

} // namespace

TEST(PixelKernels, BlitsMatchTheReferenceForEveryFormatPair) {
    std::mt19937 rng(1234);
    int checked = 0;
    for (int sf : kFormats)
        for (int df : kFormats)
            for (int round = 0; round < 24; ++round) {
                const bool masked = round % 2 == 1, tight = round % 3 == 0;
                const int w = 1 + static_cast<int>(rng() % 70), h = 1 + static_cast<int>(rng() % 5);
                Area src = randomArea(rng, sf, w, h, tight);
                // Few distinct source colours, so that the mask matches often.
                for (int y = 0; y < h; ++y)
                    for (int x = 0; x < w; ++x)
                        storeRaw(sf, src.area.pixels + y * src.area.pitch + x * bytesPerPixel(sf), rng() % 4 * 0x01234567u);
                uint32_t mask = rng();
                if (round % 4 == 1)
                    mask = readPixelAt(sf, src.area.pixels) ^ (rng() % 2 ? 0xFF000000u : 0); // alpha must not matter
                Area fast = randomArea(rng, df, w, h, tight);
                Area ref = fast;
                PixelArea refArea = same(ref, fast);
                blitPixels(fast.area, src.area, w, h, masked, mask);
                reference::blitPixels(refArea, src.area, w, h, masked, mask);
                ASSERT_EQ(fast.bytes, ref.bytes) << "formats " << sf << " -> " << df << (masked ? " masked" : "")
                                                 << " " << w << "x" << h << " mask " << std::hex << mask;
                ++checked;
            }
    EXPECT_EQ(checked, 36 * 24);
}

TEST(PixelKernels, FillsReadsAndWritesMatchTheReference) {
    std::mt19937 rng(99);
    for (int f : kFormats)
        for (int round = 0; round < 30; ++round) {
            const bool tight = round % 3 == 0;
            const int w = 1 + static_cast<int>(rng() % 90), h = 1 + static_cast<int>(rng() % 4);
            const uint32_t colour = rng();
            Area fast = randomArea(rng, f, w, h, tight);
            Area ref = fast;
            fillPixels(fast.area, w, h, colour);
            reference::fillPixels(same(ref, fast), w, h, colour);
            ASSERT_EQ(fast.bytes, ref.bytes) << "fill format " << f << " " << w << "x" << h;

            std::vector<uint32_t> words(w * h + 3), refWords(w * h + 3);
            readPixelArea(fast.area, w, h, words.data(), w * 4);
            reference::readPixelArea(fast.area, w, h, refWords.data(), w * 4);
            ASSERT_EQ(words, refWords) << "read format " << f;

            for (uint32_t& word : words) word = rng();
            writePixelArea(fast.area, w, h, words.data(), w * 4);
            reference::writePixelArea(same(ref, fast), w, h, words.data(), w * 4);
            ASSERT_EQ(fast.bytes, ref.bytes) << "write format " << f;
        }
}

// Every short width at every alignment of its first pixel, where the fills
// store ragged ends apart from the vectors between them; the bytes around
// the row must stay as they were.
TEST(PixelKernels, ShortFillsAtEveryAlignmentMatchTheReference) {
    std::mt19937 rng(7);
    for (int f : kFormats)
        for (int w = 0; w <= 40; ++w)
            for (int offset = 0; offset < 16; ++offset) {
                std::vector<uint8_t> fast(offset + 48 * w + 32);
                for (uint8_t& b : fast) b = static_cast<uint8_t>(rng());
                std::vector<uint8_t> ref = fast;
                const int pitch = w * bytesPerPixel(f);
                const uint32_t colour = rng();
                fillPixels(PixelArea{fast.data() + offset, pitch, f}, w, 1, colour);
                reference::fillPixels(PixelArea{ref.data() + offset, pitch, f}, w, 1, colour);
                ASSERT_EQ(fast, ref) << "format " << f << " width " << w << " offset " << offset;
            }
}
