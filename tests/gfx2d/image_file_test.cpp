// Picture files: the extension rule, the BMP writer's layout read back by the
// decoder, and hostile files (truncated, corrupt, huge or zero sizes, the
// wrong kind for the extension), which must be refused without a crash.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "gfx2d/bmp_writer.h"
#include "gfx2d/image_file.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#define STBI_WRITE_NO_STDIO
#include <stb_image_write.h>
#pragma GCC diagnostic pop

namespace {

using Bytes = std::vector<uint8_t>;

void append(void* context, void* data, int size) {
    auto* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<uint8_t*>(data), static_cast<uint8_t*>(data) + size);
}

// A w × h RGBA picture whose pixel (x, y) is (x * 10, y * 20, 7, 255).
Bytes gradient(int w, int h) {
    Bytes rgba;
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) rgba.insert(rgba.end(), {uint8_t(x * 10), uint8_t(y * 20), 7, 255});
    return rgba;
}

Bytes pngOf(int w, int h) {
    Bytes out;
    Bytes rgba = gradient(w, h);
    stbi_write_png_to_func(append, &out, w, h, 4, rgba.data(), w * 4);
    return out;
}

void put32be(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (24 - 8 * i));
}

void put32le(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = uint8_t(v >> (8 * i));
}

Bytes bmpHeader(int32_t w, int32_t h, int bits) {
    Bytes b(54, 0);
    b[0] = 'B';
    b[1] = 'M';
    put32le(b, 2, 54);
    put32le(b, 10, 54);
    put32le(b, 14, 40);
    put32le(b, 18, uint32_t(w));
    put32le(b, 22, uint32_t(h));
    b[26] = 1;
    b[28] = uint8_t(bits);
    return b;
}

DecodedImage decode(const Bytes& b, ImageFileKind kind) { return decodeImageMemory(b.data(), int(b.size()), kind); }

std::string tempPath(const char* name) { return std::string(std::getenv("TEMP") ? std::getenv("TEMP") : ".") + "\\" + name; }

Bytes readFile(const std::string& path) {
    Bytes b;
    FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return b;
    int c;
    while ((c = std::fgetc(f)) != EOF) b.push_back(uint8_t(c));
    std::fclose(f);
    return b;
}

} // namespace

TEST(ImageFile, ExtensionChoosesTheDecoder) {
    EXPECT_EQ(imageFileKind("a.JPG"), ImageFileKind::Jpeg);
    EXPECT_EQ(imageFileKind("a.b.jpeg"), ImageFileKind::Jpeg);
    EXPECT_EQ(imageFileKind("x.PnG"), ImageFileKind::Png);
    EXPECT_EQ(imageFileKind("x.gif"), ImageFileKind::Bmp);
    EXPECT_EQ(imageFileKind("x."), ImageFileKind::Bmp);
    EXPECT_EQ(imageFileKind("noextension"), ImageFileKind::None);
}

TEST(ImageFile, PngDecodesUprightAsArgb) {
    Bytes rgba = gradient(3, 2);
    rgba[3] = 0x40; // the first pixel is mostly transparent
    Bytes png;
    stbi_write_png_to_func(append, &png, 3, 2, 4, rgba.data(), 12);
    DecodedImage img = decode(png, ImageFileKind::Png);
    ASSERT_TRUE(img);
    ASSERT_EQ(img.width, 3);
    ASSERT_EQ(img.height, 2);
    std::vector<uint32_t> argb(6);
    rgbaToArgb(img, reinterpret_cast<uint8_t*>(argb.data()), 12);
    EXPECT_EQ(argb, (std::vector<uint32_t>{0x40000007, 0xFF0A0007, 0xFF140007, 0xFF001407, 0xFF0A1407,
                                           0xFF141407}));
    // In place, as a 32-bit XRGB pixmap would read them: alpha is opaque.
    makeOpaqueArgb(img);
    EXPECT_EQ(std::vector<uint32_t>(img.words(), img.words() + 6),
              (std::vector<uint32_t>{0xFF000007, 0xFF0A0007, 0xFF140007, 0xFF001407, 0xFF0A1407, 0xFF141407}));
}

TEST(ImageFile, BmpWriterLayoutReadsBackUpright) {
    // 3 × 2 pixels of 3 bytes: rows of 9 bytes padded to 12.
    const uint8_t rows[2][12] = {{1, 2, 3, 4, 5, 6, 7, 8, 9, 0xEE, 0xEE, 0xEE},
                                 {10, 11, 12, 13, 14, 15, 16, 17, 18, 0xEE, 0xEE, 0xEE}};
    std::string path = tempPath("vorn_bmp_writer_test.bmp");
    ASSERT_TRUE(writeBmp24(path.c_str(), 3, 2, &rows[0][0], 12));
    Bytes file = readFile(path);
    ASSERT_EQ(file.size(), 54u + 24u);
    auto le32 = [&](size_t at) { return uint32_t(file[at] | file[at + 1] << 8 | file[at + 2] << 16 | file[at + 3] << 24); };
    EXPECT_EQ(file[0], 'B');
    EXPECT_EQ(file[1], 'M');
    EXPECT_EQ(le32(2), 78u);
    EXPECT_EQ(le32(6), 0u);
    EXPECT_EQ(le32(10), 54u);
    EXPECT_EQ(le32(14), 40u);
    EXPECT_EQ(le32(18), 3u);
    EXPECT_EQ(le32(22), 2u);
    EXPECT_EQ(file[26] | file[27] << 8, 1);
    EXPECT_EQ(file[28] | file[29] << 8, 24);
    for (size_t at = 30; at < 54; ++at) EXPECT_EQ(file[at], 0) << "header byte " << at;
    // The last row comes first; padding is written as zeros.
    EXPECT_EQ(Bytes(file.begin() + 54, file.end()),
              (Bytes{10, 11, 12, 13, 14, 15, 16, 17, 18, 0, 0, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0}));

    DecodedImage img = decodeImageFile(path.c_str(), ImageFileKind::Bmp);
    ASSERT_TRUE(img);
    std::vector<uint32_t> argb(6);
    rgbaToArgb(img, reinterpret_cast<uint8_t*>(argb.data()), 12);
    EXPECT_EQ(argb, (std::vector<uint32_t>{0xFF030201, 0xFF060504, 0xFF090807, 0xFF0C0B0A, 0xFF0F0E0D,
                                           0xFF121110}));
    std::remove(path.c_str());
}

TEST(ImageFile, MissingFilesAndNamesWithoutExtensionGiveNothing) {
    EXPECT_FALSE(decodeImageFile("no_such_file_here.png", ImageFileKind::Png));
    EXPECT_FALSE(decodeImageFile("whatever", ImageFileKind::None));
}

TEST(ImageFile, TheWrongKindForTheExtensionIsRefused) {
    Bytes png = pngOf(4, 4);
    EXPECT_FALSE(decode(png, ImageFileKind::Bmp));
    EXPECT_FALSE(decode(png, ImageFileKind::Jpeg));
    EXPECT_TRUE(decode(png, ImageFileKind::Png));
}

// Data chunks of no bytes are legal anywhere among the data chunks, even
// before the first that holds data.
TEST(ImageFile, EmptyDataChunksCarryNothing) {
    Bytes png = pngOf(5, 3);
    const size_t firstData = 8 + 25; // after the signature and the header chunk
    ASSERT_EQ(std::memcmp(png.data() + firstData + 4, "IDAT", 4), 0);
    const Bytes empty = {0, 0, 0, 0, 'I', 'D', 'A', 'T', 0x35, 0xAF, 0x06, 0x1E};
    Bytes padded = png;
    const size_t secondData = firstData + 12 + (size_t(png[firstData + 2]) << 8 | png[firstData + 3]);
    padded.insert(padded.begin() + secondData, empty.begin(), empty.end());
    padded.insert(padded.begin() + firstData, empty.begin(), empty.end());
    padded.insert(padded.begin() + firstData, empty.begin(), empty.end());
    DecodedImage img = decode(padded, ImageFileKind::Png);
    ASSERT_TRUE(img);
    ASSERT_EQ(img.width, 5);
    ASSERT_EQ(img.height, 3);
    Bytes expected = gradient(5, 3);
    EXPECT_EQ(Bytes(img.rgba.get(), img.rgba.get() + expected.size()), expected);
}

TEST(ImageFile, HugeAndZeroSizesInTheHeaderAreRefused) {
    Bytes png = pngOf(4, 4);
    // IHDR width and height sit at bytes 16 and 20.
    for (auto size : {std::pair<uint32_t, uint32_t>{100000, 4}, {30000, 30000}, {0, 4}, {4, 0},
                      {0x7FFFFFFF, 0x7FFFFFFF}}) {
        Bytes b = png;
        put32be(b, 16, size.first);
        put32be(b, 20, size.second);
        EXPECT_FALSE(decode(b, ImageFileKind::Png)) << size.first << " x " << size.second;
    }
    for (auto size : {std::pair<int32_t, int32_t>{1000000, 1000000}, {20000, 20000}, {0, 5}, {5, 0},
                      {-2147483647 - 1, 4}}) {
        Bytes b = bmpHeader(size.first, size.second, 32);
        b.resize(b.size() + 64, 0x55);
        EXPECT_FALSE(decode(b, ImageFileKind::Bmp)) << size.first << " x " << size.second;
    }
}

TEST(ImageFile, TruncatedAndCorruptFilesNeverCrash) {
    Bytes png = pngOf(40, 30);
    for (size_t cut = 0; cut < png.size(); cut += 7) {
        Bytes b(png.begin(), png.begin() + cut);
        DecodedImage img = decode(b, ImageFileKind::Png);
        if (img) {
            EXPECT_TRUE(img.width == 40 && img.height == 30);
        }
    }
    std::mt19937 rng(7);
    for (int i = 0; i < 300; ++i) {
        Bytes b = png;
        for (int k = 0; k < 4; ++k) b[8 + rng() % (b.size() - 8)] = uint8_t(rng());
        DecodedImage img = decode(b, ImageFileKind::Png);
        if (img) {
            EXPECT_LE(int64_t(img.width) * img.height, kMaxImagePixels);
        }
    }
    Bytes bmp = bmpHeader(8, 8, 24);
    for (int i = 0; i < 300; ++i) {
        Bytes b = bmp;
        b.resize(54 + rng() % 300, uint8_t(rng()));
        for (int k = 0; k < 3; ++k) b[2 + rng() % 52] = uint8_t(rng());
        DecodedImage img = decode(b, ImageFileKind::Bmp);
        if (img) {
            EXPECT_LE(int64_t(img.width) * img.height, kMaxImagePixels);
        }
    }
    Bytes noise(500);
    for (auto& c : noise) c = uint8_t(rng());
    noise[0] = 0xFF;
    noise[1] = 0xD8;
    decode(noise, ImageFileKind::Jpeg);
}
