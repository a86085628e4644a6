// Win32DDGraphics: a KrGraphics on DirectDraw surfaces.
//
// Kinds: 0 off-screen in system memory, 24-bit; 1 off-screen in the display's
// format (video memory preferred); 2 like 0 with a kind-1 companion that is
// refreshed from it before it is read whenever it was written; 3 the primary
// surface; 4 the primary with a back buffer in a flip chain; 5 the primary
// with a back buffer that is presented by copying. Kinds 4 and 5 draw into
// the back buffer. The format is the surface's own.
//
// Fills and blits between surfaces of one format are DirectDraw blits (the
// source's mask colour as colour key when masked); everything else takes the
// generic paths through lock. Locks nest: the first locks the surface, or,
// when it cannot be locked, hands out a 32-bit scratch pixmap dropped at the
// last unlock. A lost surface is restored, or made again, before it is used;
// a fill or blit that meets a lost surface is tried once more.
#pragma once

#include "gfx2d/backends/directdraw/win32_dd.h"
#include "gfx2d/kr_graphics.h"

class KrPixmap;

enum Win32DDSurfaceKind : int {
    kDDSystem24 = 0,
    kDDDisplay = 1,
    kDDSystemWithCompanion = 2,
    kDDPrimary = 3,
    kDDFlipChain = 4,
    kDDCopyChain = 5,
};

class Win32DDGraphics : public KrGraphics {
public:
    // Query ids answered with the surface drawn into and the front surface.
    static constexpr int kQueryDrawSurface = 101;
    static constexpr int kQueryFrontSurface = 102;

    // The graphics, or null when its surfaces cannot be made.
    static Win32DDGraphics* create(int kind, int width, int height);
    ~Win32DDGraphics() override;

    int query(int id) override;
    KrGraphics* createCompatible(int width, int height) override;
    void fillRect(int x, int y, int w, int h, uint32_t argb) override;
    void writePixels(int x, int y, int w, int h, const void* src, int srcPitch) override;
    void blit(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, int flags) override;
    void lock(uint8_t** pixels, int* pitch, int* format) override;
    void unlock() override;

    int kind() const { return kind_; }
    int format() const { return format_; }
    // The surfaces, restored or made again when lost; null when gone.
    IDirectDrawSurface7* drawSurface();
    IDirectDrawSurface7* frontSurface();
    // Lets go of the surfaces, as when they are lost and cannot be
    // restored: they are made again when next used.
    void discardSurfaces();
    // Copies the source's rectangle to this one's, stretching as needed,
    // with the blitter; false when the blitter refused (as between formats
    // it cannot convert).
    bool stretchBlit(const RECT& dst, Win32DDGraphics* source, const RECT& src);

private:
    Win32DDGraphics(int kind, int width, int height);
    bool build();
    bool makeSurfaces();
    bool usable();
    Win32DDGraphics* readableSource(int destKind);
    bool hardwareBlit(const RECT& dst, Win32DDGraphics* source, const RECT& src, bool masked);

    int kind_;
    int format_ = 0;
    IDirectDrawSurface7* surface_ = nullptr; // drawn into
    IDirectDrawSurface7* front_ = nullptr;   // primary kinds only
    Win32DDGraphics* companion_ = nullptr;   // kind 2 only
    bool written_ = true;
    int lockCount_ = 0;
    bool surfaceLocked_ = false;
    KrPixmap* scratch_ = nullptr;
    uint8_t* lockedPixels_ = nullptr;
    int lockedPitch_ = 0;
    int lockedFormat_ = 0;
};
