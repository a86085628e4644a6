// Images and collisions: ImagesCollide of two overlapping 64 × 64 images with
// built masks, collision mask building, and LoadImage of a 1024 × 1024 PNG
// against stb_image decoding the same file alone. Runs as a program, so the
// commands are called as compiled code calls them.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/support/bench_clock.h"
#include "gfx2d/k2d_image.h"
#include "gfx2d/kr_graphics.h"
#include "lang/kr_string.h"
#include "runtime/runtime.h"

#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmissing-field-initializers"
#pragma GCC diagnostic ignored "-Wunused-function"
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
#pragma GCC diagnostic pop

// The image decoder of the runtime is compiled once, in the runtime; its
// public entry points are reachable from here.
extern "C" unsigned char* stbi_load_from_memory(const unsigned char* buffer, int len, int* x, int* y, int* comp,
                                                int req_comp);
extern "C" void stbi_image_free(void* retval_from_stbi_load);

extern "C" {
__attribute__((stdcall)) int CreateImage(int width, int height, int frames, int flags);
__attribute__((stdcall)) void FreeImage(int image);
__attribute__((stdcall)) int ImagesCollide(int image1, int x1, int y1, int frame1, int image2, int x2, int y2,
                                           int frame2);
__attribute__((stdcall)) int LoadImage(KrString* file, int flags);
}

namespace {

volatile int sink;

// An image of mask-colour black with white pixels on every column x where
// (x + phase) is even.
int striped(int size, int phase) {
    int image = CreateImage(size, size, 1, 1);
    KrGraphics* frame = reinterpret_cast<K2DImage*>(image)->frameGraphics(0);
    for (int x = phase % 2; x < size; x += 2) frame->fillRect(x, 0, 1, size, 0xFFFFFFFF);
    return image;
}

void benchCollide() {
    // Offset 13 puts B's stripes between A's: no pixel meets, so every row of
    // the overlap is compared (the slowest answer).
    int a = striped(64, 0), b = striped(64, 0);
    const int n = 2000000;
    ImagesCollide(a, 0, 0, 0, b, 13, 7, 0);
    BenchClock missClock;
    for (int i = 0; i < n; ++i) sink = sink + ImagesCollide(a, 0, 0, 0, b, 13, 7, 0);
    report("ImagesCollide 64x64, overlapping, no hit", n / missClock.seconds() / 1e6, "million tests/s");
    BenchClock hitClock;
    for (int i = 0; i < n; ++i) sink = sink + ImagesCollide(a, 0, 0, 0, b, 14, 7, 0);
    report("ImagesCollide 64x64, overlapping, hit", n / hitClock.seconds() / 1e6, "million tests/s");
    FreeImage(a);
    FreeImage(b);
}

void benchMaskBuild() {
    for (int size : {64, 512}) {
        int handle = striped(size, 0);
        auto* image = reinterpret_cast<K2DImage*>(handle);
        const int n = size == 64 ? 20000 : 400;
        BenchClock clock;
        for (int i = 0; i < n; ++i) {
            image->discardCollisionMask(0);
            sink = sink + image->collisionMask(0).stride();
        }
        char name[64];
        std::snprintf(name, sizeof name, "collision mask build %dx%d", size, size);
        report(name, double(size) * size * n / clock.seconds() / 1e6, "Mpx/s");
        FreeImage(handle);
    }
}

void appendBytes(void* context, void* data, int size) {
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    out->insert(out->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
}

void benchLoad() {
    // A photo-like picture: smooth gradients with a little noise, so the
    // file compresses as real pictures do.
    const int size = 1024;
    std::vector<unsigned char> rgba(size_t(size) * size * 4);
    unsigned seed = 12345;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            seed = seed * 1103515245u + 12345u;
            unsigned char* p = &rgba[(size_t(y) * size + x) * 4];
            p[0] = static_cast<unsigned char>(x / 4 + (seed >> 28));
            p[1] = static_cast<unsigned char>(y / 4 + (seed >> 29));
            p[2] = static_cast<unsigned char>((x + y) / 8);
            p[3] = 255;
        }
    std::vector<unsigned char> png;
    stbi_write_png_to_func(appendBytes, &png, size, size, 4, rgba.data(), size * 4);
    const char* temp = std::getenv("TEMP");
    std::string path = std::string(temp ? temp : ".") + "\\vorn_image_bench.png";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return;
    std::fwrite(png.data(), 1, png.size(), f);
    std::fclose(f);

    KrString* name = krNewString(path.c_str());
    const int n = 20;
    double stbBest = 1e9, loadBest = 1e9;
    for (int round = 0; round < n; ++round) {
        // stb alone: the file read into memory and decoded to 4 channels.
        BenchClock stbClock;
        int w, h, c;
        std::vector<unsigned char> bytes(png.size());
        FILE* in = std::fopen(path.c_str(), "rb");
        sink = sink + int(std::fread(bytes.data(), 1, bytes.size(), in));
        std::fclose(in);
        unsigned char* pixels = stbi_load_from_memory(bytes.data(), int(bytes.size()), &w, &h, &c, 4);
        stbBest = std::min(stbBest, stbClock.seconds());
        sink = sink + pixels[0];
        stbi_image_free(pixels);
        BenchClock loadClock;
        int image = LoadImage(name, 1);
        loadBest = std::min(loadBest, loadClock.seconds());
        FreeImage(image);
    }
    release(name);
    std::remove(path.c_str());
    report("stb_image decode of 1024x1024 PNG (best)", stbBest * 1e3, "ms");
    report("LoadImage of 1024x1024 PNG (best)", loadBest * 1e3, "ms");
    report("LoadImage / stb_image", loadBest / stbBest, "ratio");
}

void benchMain() {
    benchCollide();
    benchMaskBuild();
    benchLoad();
}

} // namespace

int main() {
    runtimeGetRuntime()->execute(&benchMain, "", nullptr);
    return sink == -1;
}
