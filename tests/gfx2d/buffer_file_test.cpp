// SaveBuffer's BMP layout field by field, and LoadBuffer: exact for a file of
// the buffer's size, resampled (and cut to the buffer) for another size, and
// refusing a corrupt file without touching the buffer.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "gfx2d/k2d_buffer.h"
#include "gfx2d/kr_pixmap.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int LoadBuffer(int buffer, KrString* file);
__attribute__((stdcall)) int SaveBuffer(int buffer, KrString* file);
}

namespace {

K2DBuffer* newBuffer(int w, int h) {
    auto* pixmap = KrPixmap::create(w, h, 4, 4);
    auto* buffer = new K2DBuffer(pixmap);
    pixmap->release();
    return buffer;
}

uint32_t pixelAt(K2DBuffer* b, int x, int y) {
    uint32_t v = 0;
    b->graphics()->readPixels(x, y, 1, 1, &v, 4);
    return v;
}

std::vector<uint8_t> fileBytes(const std::string& path) {
    std::vector<uint8_t> bytes;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<uint8_t>(c));
        std::fclose(f);
    }
    return bytes;
}

uint32_t le(const std::vector<uint8_t>& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | b[at + i];
    return v;
}

KrString* text(const std::string& s) { return krNewString(s.c_str()); }

} // namespace

TEST(BufferFiles, SaveBufferWritesA24BitBottomUpBmp) {
    RunRecord run = runAsProgram([] {
        K2DBuffer* b = newBuffer(3, 2);
        const uint32_t top[3] = {0xFF112233, 0xFF445566, 0xFF778899};
        const uint32_t bottom[3] = {0xFFAABBCC, 0xFFDDEEFF, 0xFF010203};
        b->graphics()->writePixels(0, 0, 3, 1, top, 12);
        b->graphics()->writePixels(0, 1, 3, 1, bottom, 12);
        KrString* path = text("save_buffer_test.bmp");
        ASSERT_EQ(SaveBuffer(toHandle(b), path), 1);
        std::vector<uint8_t> f = fileBytes("save_buffer_test.bmp");
        std::remove("save_buffer_test.bmp");
        // Rows of 9 bytes padded to 12.
        ASSERT_EQ(f.size(), 54u + 2 * 12);
        EXPECT_EQ(le(f, 0, 2), 0x4D42u);
        EXPECT_EQ(le(f, 2, 4), 78u);
        EXPECT_EQ(le(f, 6, 4), 0u);
        EXPECT_EQ(le(f, 10, 4), 54u);
        EXPECT_EQ(le(f, 14, 4), 40u);
        EXPECT_EQ(le(f, 18, 4), 3u);
        EXPECT_EQ(le(f, 22, 4), 2u);
        EXPECT_EQ(le(f, 26, 2), 1u);
        EXPECT_EQ(le(f, 28, 2), 24u);
        for (size_t i = 30; i < 54; ++i) EXPECT_EQ(f[i], 0) << "header byte " << i;
        const uint8_t rows[24] = {0xCC, 0xBB, 0xAA, 0xFF, 0xEE, 0xDD, 0x03, 0x02, 0x01, 0, 0, 0,
                                  0x33, 0x22, 0x11, 0x66, 0x55, 0x44, 0x99, 0x88, 0x77, 0, 0, 0};
        for (int i = 0; i < 24; ++i) EXPECT_EQ(f[54 + i], rows[i]) << "pixel byte " << i;
        EXPECT_EQ(SaveBuffer(toHandle(b), text("no_such_dir/x.bmp")), 0);
        b->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(BufferFiles, LoadBufferFitsTheFileToTheBuffer) {
    RunRecord run = runAsProgram([] {
        // A 7 x 7 file of one colour, saved from a buffer.
        K2DBuffer* source = newBuffer(7, 7);
        source->graphics()->fillRect(0, 0, 7, 7, 0xFF2080C0);
        ASSERT_EQ(SaveBuffer(toHandle(source), text("load_buffer_test.bmp")), 1);

        K2DBuffer* same = newBuffer(7, 7);
        EXPECT_EQ(LoadBuffer(toHandle(same), text("load_buffer_test.bmp")), 1);
        for (int y = 0; y < 7; ++y)
            for (int x = 0; x < 7; ++x) EXPECT_EQ(pixelAt(same, x, y), 0xFF2080C0u) << x << "," << y;

        // Scaling 7 up to 57 can give 58 pixels: only what fits is copied.
        K2DBuffer* large = newBuffer(57, 57);
        large->graphics()->fillRect(0, 0, 57, 57, 0xFF000000);
        EXPECT_EQ(LoadBuffer(toHandle(large), text("load_buffer_test.bmp")), 1);
        EXPECT_EQ(pixelAt(large, 28, 28), 0xFF2080C0u);
        EXPECT_EQ(pixelAt(large, 40, 10), 0xFF2080C0u);

        // A corrupt file is refused and the buffer keeps its pixels.
        if (FILE* f = std::fopen("load_buffer_bad.bmp", "wb")) {
            std::fputs("BM not really a bitmap", f);
            std::fclose(f);
        }
        same->graphics()->fillRect(0, 0, 7, 7, 0xFF00FF00);
        EXPECT_EQ(LoadBuffer(toHandle(same), text("load_buffer_bad.bmp")), 0);
        EXPECT_EQ(LoadBuffer(toHandle(same), text("no_such_file.png")), 0);
        EXPECT_EQ(pixelAt(same, 3, 3), 0xFF00FF00u);
        std::remove("load_buffer_test.bmp");
        std::remove("load_buffer_bad.bmp");
        source->release();
        same->release();
        large->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}
