// Win32DDGraphics: DirectDraw surfaces as drawable graphics.
#include "gfx2d/backends/directdraw/win32_dd_graphics.h"

#include "gfx2d/kr_pixmap.h"
#include "runtime/runtime_error.h"

namespace {

DDPIXELFORMAT rgb24Format() {
    DDPIXELFORMAT f = {};
    f.dwSize = sizeof(f);
    f.dwFlags = DDPF_RGB;
    f.dwRGBBitCount = 24;
    f.dwRBitMask = 0xFF0000;
    f.dwGBitMask = 0x00FF00;
    f.dwBBitMask = 0x0000FF;
    return f;
}

IDirectDrawSurface7* createSurface(DDSURFACEDESC2& desc) {
    IDirectDrawSurface7* surface = nullptr;
    if (FAILED(win32DirectDraw()->CreateSurface(&desc, &surface, nullptr))) return nullptr;
    return surface;
}

IDirectDrawSurface7* offscreenSurface(int width, int height, DWORD memory, const DDPIXELFORMAT* format) {
    DDSURFACEDESC2 desc = surfaceDesc();
    desc.dwFlags = DDSD_CAPS | DDSD_WIDTH | DDSD_HEIGHT;
    desc.dwWidth = static_cast<DWORD>(width);
    desc.dwHeight = static_cast<DWORD>(height);
    desc.ddsCaps.dwCaps = DDSCAPS_OFFSCREENPLAIN | memory;
    if (format) {
        desc.dwFlags |= DDSD_PIXELFORMAT;
        desc.ddpfPixelFormat = *format;
    }
    return createSurface(desc);
}

IDirectDrawSurface7* primarySurface(bool flipChain) {
    DDSURFACEDESC2 desc = surfaceDesc();
    desc.dwFlags = DDSD_CAPS;
    desc.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    if (flipChain) {
        desc.dwFlags |= DDSD_BACKBUFFERCOUNT;
        desc.dwBackBufferCount = 1;
        desc.ddsCaps.dwCaps |= DDSCAPS_FLIP | DDSCAPS_COMPLEX;
    }
    return createSurface(desc);
}

// A surface that reports itself lost is restored, else given up.
bool restoreIfLost(IDirectDrawSurface7* surface) {
    return surface->IsLost() != DDERR_SURFACELOST || SUCCEEDED(surface->Restore());
}

} // namespace

Win32DDGraphics* Win32DDGraphics::create(int kind, int width, int height) {
    auto* graphics = new Win32DDGraphics(kind, width, height);
    if (graphics->build()) return graphics;
    graphics->release();
    return nullptr;
}

Win32DDGraphics::Win32DDGraphics(int kind, int width, int height) : KrGraphics(width, height), kind_(kind) {}

Win32DDGraphics::~Win32DDGraphics() {
    if (scratch_) scratch_->release();
    discardSurfaces();
    if (companion_) companion_->release();
}

bool Win32DDGraphics::build() {
    if (!makeSurfaces()) return false;
    DDSURFACEDESC2 desc = surfaceDesc();
    surface_->GetSurfaceDesc(&desc);
    format_ = surfaceFormatCode(desc.ddpfPixelFormat, true);
    if (kind_ == kDDSystemWithCompanion) {
        companion_ = create(kDDDisplay, width(), height());
        if (!companion_) return false;
    }
    return true;
}

bool Win32DDGraphics::makeSurfaces() {
    DDPIXELFORMAT rgb24 = rgb24Format();
    switch (kind_) {
    case kDDSystem24:
    case kDDSystemWithCompanion:
        surface_ = offscreenSurface(width(), height(), DDSCAPS_SYSTEMMEMORY, &rgb24);
        break;
    case kDDDisplay:
        surface_ = offscreenSurface(width(), height(), DDSCAPS_VIDEOMEMORY, nullptr);
        if (!surface_) surface_ = offscreenSurface(width(), height(), 0, nullptr);
        break;
    case kDDPrimary:
        front_ = primarySurface(false);
        if (front_) {
            surface_ = front_;
            surface_->AddRef();
        }
        break;
    case kDDFlipChain:
        front_ = primarySurface(true);
        if (front_) {
            DDSCAPS2 caps = {};
            caps.dwCaps = DDSCAPS_BACKBUFFER;
            if (FAILED(front_->GetAttachedSurface(&caps, &surface_))) surface_ = nullptr;
        }
        break;
    case kDDCopyChain:
        front_ = primarySurface(false);
        if (front_) surface_ = offscreenSurface(width(), height(), DDSCAPS_VIDEOMEMORY, nullptr);
        if (front_ && !surface_) surface_ = offscreenSurface(width(), height(), 0, nullptr);
        break;
    default: internalError("Win32DDGraphics kind %d", kind_);
    }
    if (surface_) return true;
    discardSurfaces();
    return false;
}

void Win32DDGraphics::discardSurfaces() {
    if (surfaceLocked_ && surface_) surface_->Unlock(nullptr);
    surfaceLocked_ = false;
    releaseInterface(surface_);
    releaseInterface(front_);
}

bool Win32DDGraphics::usable() {
    if (surface_ && restoreIfLost(surface_) && (!front_ || restoreIfLost(front_))) return true;
    if (surfaceLocked_) return false;
    discardSurfaces();
    return makeSurfaces();
}

IDirectDrawSurface7* Win32DDGraphics::drawSurface() { return usable() ? surface_ : nullptr; }
IDirectDrawSurface7* Win32DDGraphics::frontSurface() { return usable() ? front_ : nullptr; }

int Win32DDGraphics::query(int id) {
    if (id == kQueryDrawSurface) return static_cast<int>(reinterpret_cast<uintptr_t>(surface_));
    if (id == kQueryFrontSurface) return static_cast<int>(reinterpret_cast<uintptr_t>(front_));
    return KrGraphics::query(id);
}

KrGraphics* Win32DDGraphics::createCompatible(int width, int height) {
    int kind = kind_ >= kDDPrimary ? kDDDisplay : kind_;
    if (KrGraphics* graphics = create(kind, width, height)) return graphics;
    return KrGraphics::createCompatible(width, height);
}

void Win32DDGraphics::fillRect(int x, int y, int w, int h, uint32_t argb) {
    written_ = true;
    DDBLTFX fx = {};
    fx.dwSize = sizeof(fx);
    fx.dwFillColor = fromArgb(format_, argb);
    RECT r = {x, y, x + w, y + h};
    for (int attempt = 0; attempt < 2 && !surfaceLocked_; ++attempt) {
        if (!usable()) return;
        HRESULT hr = surface_->Blt(&r, nullptr, nullptr, DDBLT_COLORFILL | DDBLT_WAIT, &fx);
        if (SUCCEEDED(hr)) return;
        if (hr != DDERR_SURFACELOST) break;
    }
    KrGraphics::fillRect(x, y, w, h, argb);
}

void Win32DDGraphics::writePixels(int x, int y, int w, int h, const void* src, int srcPitch) {
    written_ = true;
    KrGraphics::writePixels(x, y, w, h, src, srcPitch);
}

// A kind-2 source is read through its companion, refreshed when the master
// was written since, unless the destination is itself in system memory.
Win32DDGraphics* Win32DDGraphics::readableSource(int destKind) {
    if (kind_ != kDDSystemWithCompanion || destKind == kDDSystem24 || destKind == kDDSystemWithCompanion)
        return this;
    if (written_) {
        companion_->KrGraphics::blit(0, 0, width(), height(), this, 0, 0, 0);
        written_ = false;
    }
    companion_->setMaskColor(maskColor());
    return companion_;
}

bool Win32DDGraphics::hardwareBlit(const RECT& dst, Win32DDGraphics* source, const RECT& src, bool masked) {
    DDBLTFX fx = {};
    fx.dwSize = sizeof(fx);
    DWORD flags = DDBLT_WAIT;
    if (masked) {
        DWORD key = fromArgb(format_, source->maskColor()) & (format_ == 4 ? 0xFFFFFF : 0xFFFFFFFF);
        fx.ddckSrcColorkey.dwColorSpaceLowValue = key;
        fx.ddckSrcColorkey.dwColorSpaceHighValue = key;
        flags |= DDBLT_KEYSRCOVERRIDE;
    }
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (surfaceLocked_ || source->surfaceLocked_ || !usable() || !source->usable()) return false;
        RECT d = dst, s = src;
        HRESULT hr = surface_->Blt(&d, source->surface_, &s, flags, &fx);
        if (SUCCEEDED(hr)) return true;
        if (hr != DDERR_SURFACELOST) return false;
    }
    return false;
}

bool Win32DDGraphics::stretchBlit(const RECT& dst, Win32DDGraphics* source, const RECT& src) {
    written_ = true;
    return source != this && hardwareBlit(dst, source, src, false);
}

void Win32DDGraphics::blit(int x, int y, int w, int h, KrGraphics* source, int sx, int sy, int flags) {
    written_ = true;
    if (auto* dd = dynamic_cast<Win32DDGraphics*>(source); dd && dd != this) {
        Win32DDGraphics* from = dd->readableSource(kind_);
        RECT dst = {x, y, x + w, y + h};
        RECT src = {sx, sy, sx + w, sy + h};
        if (from->format_ == format_ && hardwareBlit(dst, from, src, flags & kBlitMasked)) return;
    }
    KrGraphics::blit(x, y, w, h, source, sx, sy, flags);
}

void Win32DDGraphics::lock(uint8_t** pixels, int* pitch, int* format) {
    if (lockCount_++ == 0) {
        written_ = true;
        for (int attempt = 0; attempt < 2 && usable(); ++attempt) {
            DDSURFACEDESC2 desc = surfaceDesc();
            HRESULT hr = surface_->Lock(nullptr, &desc, DDLOCK_WAIT, nullptr);
            if (SUCCEEDED(hr)) {
                surfaceLocked_ = true;
                lockedPixels_ = static_cast<uint8_t*>(desc.lpSurface);
                lockedPitch_ = static_cast<int>(desc.lPitch);
                lockedFormat_ = format_;
                break;
            }
            if (hr != DDERR_SURFACELOST) break;
        }
        if (!surfaceLocked_) {
            scratch_ = KrPixmap::create(width(), height(), 4, 4);
            lockedPixels_ = scratch_->pixels();
            lockedPitch_ = scratch_->pitch();
            lockedFormat_ = 4;
        }
    }
    *pixels = lockedPixels_;
    *pitch = lockedPitch_;
    *format = lockedFormat_;
}

void Win32DDGraphics::unlock() {
    if (lockCount_ == 0 || --lockCount_ > 0) return;
    if (surfaceLocked_) surface_->Unlock(nullptr);
    surfaceLocked_ = false;
    if (scratch_) scratch_->release();
    scratch_ = nullptr;
    lockedPixels_ = nullptr;
}
