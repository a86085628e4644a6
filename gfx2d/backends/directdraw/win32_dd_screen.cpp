// Win32DDScreen: desktop, windowed and full-screen DirectDraw screens.
#include "gfx2d/backends/directdraw/win32_dd_screen.h"

#include "events/que_filter.h"
#include "platform/clock.h"
#include "runtime/runtime_error.h"

namespace {

// SetGammaRamp's flag for a calibrated ramp (not in every ddraw.h).
constexpr DWORD kGammaCalibrate = 1;

// The full-screen screen that holds the exclusive level, or null.
Win32DDScreen* exclusiveScreen = nullptr;

// How long a new full-screen display may take to give its surfaces.
constexpr int kDisplayWaitMs = 5000;

} // namespace

void waitVerticalBlankStart() {
    IDirectDraw7* dd = win32DirectDraw();
    BOOL inBlank = FALSE;
    if (SUCCEEDED(dd->GetVerticalBlankStatus(&inBlank)) && inBlank) dd->WaitForVerticalBlank(DDWAITVB_BLOCKEND, nullptr);
    dd->WaitForVerticalBlank(DDWAITVB_BLOCKBEGIN, nullptr);
}

// The desktop's primary surface is made when first asked for, so that
// programs that never draw do not pay for it.
Win32DDScreen::Win32DDScreen() : desktop_(true) {
    width_ = GetSystemMetrics(SM_CXSCREEN);
    height_ = GetSystemMetrics(SM_CYSCREEN);
}

Win32DDScreen::Win32DDScreen(int width, int height, int format, int request)
    : width_(width), height_(height), format_(format), request_(request) {
    if (!openWindow(width, height, fullScreen())) return;
    if (fullScreen()) return; // the surfaces come with the display, in makeCurrent
    graphics_ = Win32DDGraphics::create(kDDDisplay, width, height);
    clipper_ = createWindowClipper(window());
    if (!graphics_ || !clipper_) {
        ::release(graphics_);
        graphics_ = nullptr;
        return;
    }
    graphics_->fillRect(0, 0, width, height, 0xFF000000);
}

Win32DDScreen::~Win32DDScreen() {
    ::release(graphics_);
    graphics_ = nullptr;
    releaseInterface(clipper_);
    if (exclusiveScreen == this) releaseDisplay();
    closeWindow();
}

void Win32DDScreen::takeDisplay() {
    IDirectDraw7* dd = win32DirectDraw();
    if (exclusiveScreen && FAILED(dd->SetCooperativeLevel(exclusiveScreen->window(), DDSCL_NORMAL)))
        runtimeError("Failed to set normal cooperative level");
    exclusiveScreen = nullptr;
    // Only one primary surface may exist at the exclusive level: the
    // desktop's goes first (it is made again when next used).
    win32DesktopScreen()->discardSurfaces();
    if (FAILED(dd->SetCooperativeLevel(window(), DDSCL_EXCLUSIVE | DDSCL_FULLSCREEN)))
        runtimeError("Failed to set excl cooperative level");
    exclusiveScreen = this;
    if (FAILED(dd->SetDisplayMode(width_, height_, 8 * bytesPerPixel(format_), 0, 0)))
        runtimeError("Failed to set display mode");
    int kind = !(request_ & kScreenBackBuffer) ? kDDPrimary : (request_ & kScreenFlipByCopy) ? kDDCopyChain : kDDFlipChain;
    uint32_t start = platform::milliSecs();
    while (!(graphics_ = Win32DDGraphics::create(kind, width_, height_))) {
        if (platform::milliSecs() - start > kDisplayWaitMs) runtimeError("Failed to set display mode");
        pollEvents();
        Sleep(1);
    }
}

void Win32DDScreen::releaseDisplay() {
    IDirectDraw7* dd = win32DirectDraw();
    dd->RestoreDisplayMode();
    dd->SetCooperativeLevel(window(), DDSCL_NORMAL);
    exclusiveScreen = nullptr;
}

void Win32DDScreen::makeCurrent() {
    if (fullScreen()) {
        if (exclusiveScreen == this)
            ShowWindow(window(), SW_RESTORE);
        else
            takeDisplay();
    }
    KrScreen::makeCurrent();
}

KrGraphics* Win32DDScreen::graphics() {
    if (!graphics_ && desktop_) graphics_ = Win32DDGraphics::create(kDDPrimary, width_, height_);
    return graphics_;
}

IDirectDrawSurface7* Win32DDScreen::primary() {
    if (!desktop_ && !fullScreen()) return win32DesktopScreen()->primary();
    if (desktop_) graphics();
    return graphics_ ? graphics_->frontSurface() : nullptr;
}

void Win32DDScreen::discardSurfaces() {
    if (graphics_) graphics_->discardSurfaces();
}

void Win32DDScreen::present(IDirectDrawSurface7* primary, IDirectDrawSurface7* source, IDirectDrawClipper* clipper,
                            HWND window, bool vwait) {
    if (!primary || !source) return;
    if (vwait) waitVerticalBlankStart();
    RECT dst;
    GetClientRect(window, &dst);
    MapWindowPoints(window, HWND_DESKTOP, reinterpret_cast<POINT*>(&dst), 2);
    primary->SetClipper(clipper);
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (primary->Blt(&dst, source, nullptr, DDBLT_WAIT, nullptr) != DDERR_SURFACELOST) break;
        primary->Restore();
        source->Restore();
    }
    primary->SetClipper(nullptr);
}

void Win32DDScreen::copyToPrimary(bool vwait) {
    present(primary(), graphics_->drawSurface(), clipper_, window(), vwait);
}

void Win32DDScreen::flip(bool vwait) {
    if (desktop_ || !graphics_) return;
    if (!fullScreen()) return copyToPrimary(vwait);
    if (graphics_->kind() == kDDPrimary) return;
    if (request_ & kScreenFlipByCopy) {
        if (!clipper_ && !(clipper_ = createWindowClipper(window()))) runtimeError("Failed to create DD clipper");
        return copyToPrimary(vwait);
    }
    IDirectDrawSurface7* front = graphics_->frontSurface();
    if (front) front->Flip(nullptr, DDFLIP_WAIT | (vwait ? 0 : DDFLIP_NOVSYNC));
}

void Win32DDScreen::setGamma(int srcRed, int srcGreen, int srcBlue, int dstRed, int dstGreen, int dstBlue) {
    gamma_.set(srcRed, srcGreen, srcBlue, dstRed, dstGreen, dstBlue);
}

void Win32DDScreen::getGamma(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
    gamma_.get(red, green, blue, outRed, outGreen, outBlue);
}

void Win32DDScreen::updateGamma(bool calibrate) {
    IDirectDrawSurface7* front = primary();
    IDirectDrawGammaControl* control = nullptr;
    if (!front || FAILED(front->QueryInterface(IID_IDirectDrawGammaControl, reinterpret_cast<void**>(&control))))
        return;
    DDGAMMARAMP ramp;
    static_assert(sizeof(ramp) == sizeof(gamma_), "three ramps of 256 entries");
    memcpy(&ramp, &gamma_, sizeof(ramp));
    control->SetGammaRamp(calibrate ? kGammaCalibrate : 0, &ramp);
    control->Release();
}
