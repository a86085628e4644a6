// Reading picture files (PNG, JPEG, BMP) into 32-bit ARGB pixels.
//
// The decoder is chosen by the name's extension, compared without regard to
// case: "jpg" and "jpeg" read JPEG, "png" reads PNG and every other extension
// reads BMP; a name without "." is not read at all. A file that is not of the
// chosen kind, is truncated or corrupt, or declares a picture too large to be
// reasonable (see kMaxImagePixels) is refused. Rows come out top-down.
#pragma once

#include <cstdint>
#include <memory>

class KrPixmap;

// Limits on what a file may declare; larger pictures are refused before any
// pixel memory is taken.
constexpr int kMaxImageSide = 32768;
constexpr int64_t kMaxImagePixels = int64_t(1) << 25;
// Files larger than this are not read.
constexpr int64_t kMaxImageFileBytes = int64_t(256) << 20;

enum class ImageFileKind { None, Png, Jpeg, Bmp };

// The decoder that a file name selects; None when the name has no ".".
ImageFileKind imageFileKind(const char* name);

// A decoded picture: width × height pixels of 4 bytes each, in memory order
// red, green, blue, alpha, rows top-down without padding.
struct DecodedImage {
    int width = 0;
    int height = 0;
    std::unique_ptr<uint8_t, void (*)(void*)> rgba{nullptr, nullptr};
    explicit operator bool() const { return rgba != nullptr; }
    // The pixels as 32-bit words, once makeOpaqueArgb has converted them.
    const uint32_t* words() const { return reinterpret_cast<const uint32_t*>(rgba.get()); }
};

// Decodes a file of the given kind; an empty result when it cannot.
DecodedImage decodeImageFile(const char* path, ImageFileKind kind);
// Decodes bytes held in memory.
DecodedImage decodeImageMemory(const uint8_t* data, int size, ImageFileKind kind);

// Converts decoded rows to ARGB words (0xAARRGGBB) at dest, rows destPitch
// bytes apart.
void rgbaToArgb(const DecodedImage& image, uint8_t* dest, int destPitch);

// Converts the decoded pixels in place to opaque ARGB words 0xFFRRGGBB: the
// values a 32-bit XRGB pixmap of the picture reads back, ready for
// writePixels, rows width × 4 bytes apart.
void makeOpaqueArgb(DecodedImage& image);

// Decodes a picture file by its extension (see imageFileKind) into opaque
// ARGB words; an empty result when it cannot.
DecodedImage loadArgbImage(const char* path);

// Loads a picture file into a new KrPixmap in format 4 with alignment 4; null
// when the file has no extension, cannot be opened or cannot be decoded.
KrPixmap* loadPixmap(const char* path);
