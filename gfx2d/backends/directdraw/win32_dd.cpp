// Win32DD: the DirectDraw object of the "DirectDraw" configuration.
#include <windows.h>

// The interface ids of DirectDraw are defined here, once for the back end.
#include <initguid.h>

#include "gfx2d/backends/directdraw/win32_dd.h"

#include "gfx2d/pixel_format.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"

namespace {

using DirectDrawCreateExFn = HRESULT(WINAPI*)(GUID*, void**, REFIID, IUnknown*);

class Win32DD : public KrModule {
public:
    Win32DD() { setup("Win32DD", "Graphics", "DirectDraw"); }

    bool startup() override {
        if (!library_) library_ = LoadLibraryA("ddraw.dll");
        if (!library_) return false;
        auto create = reinterpret_cast<DirectDrawCreateExFn>(
            reinterpret_cast<void*>(GetProcAddress(library_, "DirectDrawCreateEx")));
        void* object = nullptr;
        if (!create || FAILED(create(nullptr, &object, IID_IDirectDraw7, nullptr))) {
            shutdown();
            return false;
        }
        ddraw_ = static_cast<IDirectDraw7*>(object);
        ddraw_->SetCooperativeLevel(nullptr, DDSCL_NORMAL);
        return true;
    }

    // The library stays loaded: surfaces that outlive the module (held by
    // objects of modules that stop later) still need its code to go.
    void shutdown() override { releaseInterface(ddraw_); }

    IDirectDraw7* ddraw() const { return ddraw_; }

private:
    HMODULE library_ = nullptr;
    IDirectDraw7* ddraw_ = nullptr;
};

Win32DD theModule;

} // namespace

IDirectDraw7* win32DirectDraw() {
    if (!theModule.ddraw()) internalError("DirectDraw is not running");
    return theModule.ddraw();
}

int surfaceFormatCode(const DDPIXELFORMAT& format, bool report) {
    PixelDescription d;
    d.bitsPerPixel = static_cast<int>(format.dwRGBBitCount);
    d.redMask = format.dwRBitMask;
    d.greenMask = format.dwGBitMask;
    d.blueMask = format.dwBBitMask;
    d.alphaMask = format.dwRGBAlphaBitMask;
    return recognizeFormat(d, report);
}

IDirectDrawClipper* createWindowClipper(HWND window) {
    IDirectDrawClipper* clipper = nullptr;
    if (FAILED(win32DirectDraw()->CreateClipper(0, &clipper, nullptr))) return nullptr;
    if (FAILED(clipper->SetHWnd(0, window))) releaseInterface(clipper);
    return clipper;
}
