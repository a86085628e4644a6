// Picture file decoding with stb_image, compiled here and nowhere else, with
// only the PNG, JPEG and BMP decoders. A broken invariant inside the decoder
// is reported as an internal error rather than an abort.
#include "gfx2d/image_file.h"

#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gfx2d/kr_pixmap.h"
#include "runtime/runtime_error.h"

#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_ONLY_JPEG
#define STBI_ONLY_BMP
#define STBI_NO_STDIO
#define STBI_NO_LINEAR
#define STBI_NO_HDR
#define STBI_MAX_DIMENSIONS kMaxImageSide
#define STBI_ASSERT(x) ((x) ? (void)0 : internalError("image decoder: %s", #x))
// Everything the decoder allocates starts zeroed: its JPEG state is not
// cleared before use, so a scan naming a Huffman table the file never
// defined would read whatever the memory held before.
#define STBI_MALLOC(size) std::calloc(1, size)
#define STBI_REALLOC(p, size) std::realloc(p, size)
#define STBI_FREE(p) std::free(p)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wunused-function"
#pragma GCC diagnostic ignored "-Wsign-compare"
#pragma GCC diagnostic ignored "-Wimplicit-fallthrough"
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-but-set-variable"
#include <stb_image.h>
#pragma GCC diagnostic pop

namespace {

bool sameText(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        char x = *a >= 'A' && *a <= 'Z' ? char(*a + 32) : *a;
        if (x != *b) return false;
    }
    return *a == *b;
}

// Whether the bytes start the way the chosen decoder expects. The three
// signatures cannot all match one file, so the decoder that stb then picks
// on its own is the chosen one.
bool isKind(stbi__context* s, ImageFileKind kind) {
    switch (kind) {
    case ImageFileKind::Png: return stbi__png_test(s) != 0;
    case ImageFileKind::Jpeg: return stbi__jpeg_test(s) != 0;
    case ImageFileKind::Bmp: return stbi__bmp_test(s) != 0;
    case ImageFileKind::None: break;
    }
    return false;
}

// This stb_image builds a JPEG Huffman table without checking that its code
// counts add up to at most 256, the room it has, and writes past that room
// when they do not. A file with such a table is refused before stb sees it:
// every FF C4 (define-table) marker is checked, as stb would read its tables,
// wherever it stands, so no reading of the file can reach one unchecked.
bool jpegTablesFit(const uint8_t* data, int size) {
    for (int at = 0; at + 4 <= size; ++at) {
        if (data[at] != 0xFF || data[at + 1] != 0xC4) continue;
        int p = at + 4;
        int left = (data[at + 2] << 8 | data[at + 3]) - 2;
        while (left > 0 && p < size) {
            int q = data[p];
            if (q >> 4 > 1 || (q & 15) > 3) break; // refused by stb itself
            // Counts past the end of the file read as 0, as stb reads them.
            int n = 0;
            for (int i = 1; i <= 16 && p + i < size; ++i) n += data[p + i];
            if (n > 256) return false;
            p += 17 + n;
            left -= 17 + n;
        }
    }
    return true;
}

bool isEmptyPngData(const uint8_t* chunk) {
    return chunk[0] == 0 && chunk[1] == 0 && chunk[2] == 0 && chunk[3] == 0 && std::memcmp(chunk + 4, "IDAT", 4) == 0;
}

// stb_image grows its buffer for a PNG's compressed data by the length that
// a data chunk declares before it reads the chunk, so a few bytes declaring
// gigabytes cost gigabytes. Every chunk, in the order stb reads them, must
// fit in the file. Also tells whether an empty data chunk comes before the
// first that holds data: stb copies one into its buffer before it has one
// (a copy to a null address, undefined even of nothing).
bool pngChunksFit(const uint8_t* data, int size, bool* emptyDataFirst) {
    *emptyDataFirst = false;
    bool sawData = false;
    int64_t at = 8;
    while (at + 8 <= size) {
        int64_t length = int64_t(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3];
        if (length > size - at - 12) return false;
        if (std::memcmp(data + at + 4, "IEND", 4) == 0) break;
        if (isEmptyPngData(data + at)) *emptyDataFirst |= !sawData;
        else if (std::memcmp(data + at + 4, "IDAT", 4) == 0) sawData = true;
        at += 12 + length;
    }
    return true;
}

// The file without its empty data chunks, which carry nothing, for a file
// whose chunks fit.
std::vector<uint8_t> withoutEmptyPngData(const uint8_t* data, int size) {
    std::vector<uint8_t> out(data, data + 8);
    int64_t at = 8;
    while (at + 8 <= size && std::memcmp(data + at + 4, "IEND", 4) != 0) {
        int64_t next = at + 12 + (int64_t(data[at]) << 24 | data[at + 1] << 16 | data[at + 2] << 8 | data[at + 3]);
        if (!isEmptyPngData(data + at)) out.insert(out.end(), data + at, data + next);
        at = next;
    }
    out.insert(out.end(), data + at, data + size);
    return out;
}

} // namespace

ImageFileKind imageFileKind(const char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot) return ImageFileKind::None;
    const char* ext = dot + 1;
    if (sameText(ext, "jpg") || sameText(ext, "jpeg")) return ImageFileKind::Jpeg;
    if (sameText(ext, "png")) return ImageFileKind::Png;
    return ImageFileKind::Bmp;
}

DecodedImage decodeImageMemory(const uint8_t* data, int size, ImageFileKind kind) {
    DecodedImage image;
    if (!data || size <= 0) return image;
    stbi__context s;
    stbi__start_mem(&s, data, size);
    if (!isKind(&s, kind)) return image;
    if (kind == ImageFileKind::Jpeg && !jpegTablesFit(data, size)) return image;
    bool emptyDataFirst = false;
    if (kind == ImageFileKind::Png && !pngChunksFit(data, size, &emptyDataFirst)) return image;
    if (emptyDataFirst) {
        std::vector<uint8_t> cleaned = withoutEmptyPngData(data, size);
        return decodeImageMemory(cleaned.data(), int(cleaned.size()), kind);
    }
    // The header's size is checked before the decoder allocates anything.
    int width = 0, height = 0, channels = 0;
    if (!stbi_info_from_memory(data, size, &width, &height, &channels)) return image;
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide ||
        int64_t(width) * height > kMaxImagePixels)
        return image;
    uint8_t* pixels = stbi_load_from_memory(data, size, &width, &height, &channels, 4);
    if (!pixels) return image;
    image.width = width;
    image.height = height;
    image.rgba = {pixels, stbi_image_free};
    return image;
}

DecodedImage decodeImageFile(const char* path, ImageFileKind kind) {
    if (kind == ImageFileKind::None) return DecodedImage();
    FILE* file = std::fopen(path, "rb");
    if (!file) return DecodedImage();
    std::vector<uint8_t> bytes;
    long size = -1;
    if (std::fseek(file, 0, SEEK_END) == 0) size = std::ftell(file);
    if (size > 0 && size <= kMaxImageFileBytes && std::fseek(file, 0, SEEK_SET) == 0) {
        bytes.resize(size_t(size));
        if (std::fread(bytes.data(), 1, bytes.size(), file) != bytes.size()) bytes.clear();
    }
    std::fclose(file);
    if (bytes.empty()) return DecodedImage();
    return decodeImageMemory(bytes.data(), int(bytes.size()), kind);
}

void rgbaToArgb(const DecodedImage& image, uint8_t* dest, int destPitch) {
    // Memory order R, G, B, A read as a little-endian word is 0xAABBGGRR:
    // swapping the red and blue bytes gives 0xAARRGGBB.
    const uint8_t* src = image.rgba.get();
    for (int y = 0; y < image.height; ++y) {
        auto* out = reinterpret_cast<uint32_t*>(dest + ptrdiff_t(y) * destPitch);
        const uint8_t* row = src + ptrdiff_t(y) * image.width * 4;
        for (int x = 0; x < image.width; ++x) {
            uint32_t p;
            std::memcpy(&p, row + x * 4, 4);
            out[x] = (p & 0xFF00FF00u) | (p >> 16 & 0xFFu) | (p & 0xFFu) << 16;
        }
    }
}

void makeOpaqueArgb(DecodedImage& image) {
    uint8_t* bytes = image.rgba.get();
    const size_t count = size_t(image.width) * size_t(image.height);
    for (size_t i = 0; i < count; ++i) {
        uint32_t p;
        std::memcpy(&p, bytes + i * 4, 4);
        p = 0xFF000000u | (p >> 16 & 0xFFu) | (p & 0xFF00u) | (p & 0xFFu) << 16;
        std::memcpy(bytes + i * 4, &p, 4);
    }
}

DecodedImage loadArgbImage(const char* path) {
    DecodedImage image = decodeImageFile(path, imageFileKind(path));
    if (image) makeOpaqueArgb(image);
    return image;
}

KrPixmap* loadPixmap(const char* path) {
    DecodedImage image = decodeImageFile(path, imageFileKind(path));
    if (!image) return nullptr;
    KrPixmap* pixmap = KrPixmap::tryCreate(image.width, image.height, kFormatXrgb8888, 4);
    if (!pixmap) return nullptr;
    // Format 4 stores ARGB words as they are, so the converted rows go
    // straight into the pixmap.
    rgbaToArgb(image, pixmap->pixels(), pixmap->pitch());
    return pixmap;
}
