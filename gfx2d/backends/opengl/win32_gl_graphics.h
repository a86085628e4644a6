// Win32GLGraphics: the KrGraphics of the OpenGL back end, and Win32GLTex,
// the texture it caches for drawing itself onto a frame buffer.
//
// A graphics is either bound to a window's rendering context (a screen's or
// canvas's frame buffer, format 3 when locked) or held in memory (images,
// 32-bit XRGB). On a bound graphics, fills are quads and blits from another
// OpenGL graphics are textured quads, with the alpha test on when masked.
// Locking a bound graphics reads the frame buffer into a 24-bit pixmap with
// the rows turned top-down; the last unlock writes it back. While it is
// locked, every operation works on that copy, so nothing drawn meanwhile is
// lost at the unlock. Once its window is gone (unbind) a bound graphics
// draws nothing, and its lock hands out a scratch pixmap.
//
// The texture is built on first use as a blit source from a format-7 copy:
// power-of-two size, mask colour pixels transparent, padding in the mask
// colour, nearest filtering; any write (and a new mask colour) makes it
// stale, and it is built again at the next use.
#pragma once

#include "gfx2d/backends/opengl/win32_gl.h"
#include "gfx2d/kr_graphics.h"

class KrPixmap;

class Win32GLTex {
public:
    Win32GLTex() = default;
    ~Win32GLTex() { destroy(); }
    Win32GLTex(const Win32GLTex&) = delete;
    Win32GLTex& operator=(const Win32GLTex&) = delete;

    // Uploads the picture (width x height ARGB words, packed rows); false
    // when the platform refuses a texture that large.
    bool build(const uint32_t* argb, int width, int height, uint32_t maskColor);
    bool valid() const { return id_ != 0 && generation_ == win32GLGeneration(); }
    void destroy();

    GLuint id() const { return id_; }
    // The texture's own (power-of-two) size.
    int width() const { return width_; }
    int height() const { return height_; }

private:
    GLuint id_ = 0;
    int width_ = 0;
    int height_ = 0;
    int generation_ = -1;
};

class Win32GLGraphics : public KrGraphics {
public:
    // An image graphics in memory; "Out of memory" when it cannot be had.
    static Win32GLGraphics* createInMemory(int width, int height);
    // A graphics on the window's frame buffer, with a rendering context of
    // its own (which raises the context messages when it cannot be made).
    static Win32GLGraphics* createBound(HWND window, int width, int height);
    ~Win32GLGraphics() override;

    // The query id of "KrGLContext" gives the rendering context.
    int query(int id) override;
    KrGraphics* createCompatible(int width, int height) override;
    void setMaskColor(uint32_t color) override;
    void fillRect(int x, int y, int w, int h, uint32_t argb) override;
    void readPixels(int x, int y, int w, int h, void* dest, int destPitch) override;
    void writePixels(int x, int y, int w, int h, const void* src, int srcPitch) override;
    void blit(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, int flags) override;
    void lock(uint8_t** pixels, int* pitch, int* format) override;
    void unlock() override;

    // The rendering context when the frame buffer can be drawn into now:
    // bound, its window still there, and not locked; else null.
    Win32GLContext* drawable() { return context_ && lockCount_ == 0 ? context_ : nullptr; }
    // The rendering context while the window lasts, locked or not.
    Win32GLContext* context() const { return context_; }
    // Lets go of the rendering context before the window goes.
    void unbind();
    // Records a write done straight on the frame buffer.
    void markWritten() { textureStale_ = true; }
    // The texture of the current pixels, made or rebuilt as needed; null
    // when it cannot be made.
    Win32GLTex* texture();

private:
    Win32GLGraphics(int width, int height, KrPixmap* memory, Win32GLContext* context);
    // A textured quad of the source's rectangle at (x, y), w x h.
    void drawTextured(int x, int y, int w, int h, Win32GLGraphics* source, int sx, int sy, bool masked);
    void readFrame();
    void writeFrame();

    KrPixmap* memory_;         // in-memory graphics only
    Win32GLContext* context_;  // bound graphics while their window lasts
    int lockCount_ = 0;
    KrPixmap* locked_ = nullptr; // the frame read back, or a scratch pixmap
    Win32GLTex texture_;
    bool textureStale_ = true;
};
