// Fuzz target: picture files through loadPixmap, the decoder chosen by the
// file name's extension. Input: one byte choosing the extension, then the
// file's bytes.
//
// Pictures whose header declares more than kMaxPixels are skipped: decoding
// them runs the same code over more pixels (up to the loader's own limit of
// 32 million), which would take most of the time for nothing new.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_file.h"
#include "gfx2d/image_file.h"
#include "gfx2d/kr_pixmap.h"

namespace {

constexpr int64_t kMaxPixels = 1 << 16;

uint32_t le(const uint8_t* p, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = v << 8 | p[i];
    return v;
}
uint32_t be(const uint8_t* p, int n) {
    uint32_t v = 0;
    for (int i = 0; i < n; ++i) v = v << 8 | p[i];
    return v;
}

// The size a BMP, PNG or JPEG header declares, where one is found.
bool declaredSize(const uint8_t* d, size_t n, int64_t& w, int64_t& h) {
    if (n >= 26 && d[0] == 'B' && d[1] == 'M') {
        bool core = le(d + 14, 4) == 12;
        w = core ? le(d + 18, 2) : static_cast<int32_t>(le(d + 18, 4));
        h = core ? le(d + 20, 2) : static_cast<int32_t>(le(d + 22, 4));
        return true;
    }
    if (n >= 24 && d[0] == 0x89 && d[1] == 'P') {
        w = be(d + 16, 4);
        h = be(d + 20, 4);
        return true;
    }
    for (size_t i = 0; i + 9 <= n; ++i)
        if (d[i] == 0xFF && d[i + 1] >= 0xC0 && d[i + 1] <= 0xCF && d[i + 1] != 0xC4 && d[i + 1] != 0xC8 &&
            d[i + 1] != 0xCC) {
            h = be(d + i + 5, 2);
            w = be(d + i + 7, 2);
            return true;
        }
    return false;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kExtensions[] = {".bmp", ".png", ".jpg", ".jpeg", ".PNG", ".JPG", ".dib"};
    if (size < 1) return 0;
    int64_t w = 0, h = 0;
    if (declaredSize(data + 1, size - 1, w, h) && double(w < 0 ? -w : w) * double(h < 0 ? -h : h) > kMaxPixels) return 0;
    const char* extension = kExtensions[data[0] % (sizeof kExtensions / sizeof *kExtensions)];
    std::string path = writeFuzzFile(data + 1, size - 1, extension);
    if (path.empty()) return 0;
    if (KrPixmap* pixmap = loadPixmap(path.c_str())) pixmap->release();
    return 0;
}
