// Win32DDScreen: the screens of the DirectDraw back end.
//
// The desktop screen draws straight onto the primary surface and reports the
// cursor's desktop position. A windowed screen draws into a display-format
// surface of its own and presents it by copying it onto the primary surface
// over its window's client area (centred captioned window, clipper). A
// full-screen screen takes the exclusive level for a borderless window, sets
// the display mode and draws into the back buffer of the primary: presented
// by a page flip, or by a copy when the request asks for one. Screen windows
// raise key, button, wheel and pointer events with the screen as source.
#pragma once

#include "gfx2d/backends/directdraw/win32_dd_graphics.h"
#include "gfx2d/backends/win32_screen_window.h"

class Win32DDScreen : public Win32ScreenWindow {
public:
    // The desktop screen.
    Win32DDScreen();
    // A windowed or full-screen screen; check valid() before use.
    Win32DDScreen(int width, int height, int format, int request);
    ~Win32DDScreen() override;

    // False when the window or the surfaces could not be made (a full-screen
    // screen makes its surfaces when it takes the display).
    bool valid() const { return desktop_ || (fullScreen() ? window() != nullptr : graphics_ != nullptr); }

    KrGraphics* graphics() override;
    void flip(bool vwait) override;
    void makeCurrent() override;
    void setGamma(int srcRed, int srcGreen, int srcBlue, int dstRed, int dstGreen, int dstBlue) override;
    void getGamma(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) override;
    void updateGamma(bool calibrate) override;

    bool fullScreen() const { return !desktop_ && !(request_ & kScreenWindowed); }
    // The primary surface the screen presents on, restored when lost.
    IDirectDrawSurface7* primary();
    // Lets go of the surfaces (the desktop's primary, before a full-screen
    // display takes the primary over); they are made again when next used.
    void discardSurfaces();
    // Copies a surface onto the primary over the window's client area,
    // through the clipper, which is detached again afterwards so that the
    // primary's other users are not clipped to this window.
    static void present(IDirectDrawSurface7* primary, IDirectDrawSurface7* source, IDirectDrawClipper* clipper,
                        HWND window, bool vwait);

private:
    void takeDisplay();
    void releaseDisplay();
    void copyToPrimary(bool vwait);

    bool desktop_ = false;
    int width_ = 0;
    int height_ = 0;
    int format_ = 0;
    int request_ = 0;
    Win32DDGraphics* graphics_ = nullptr;
    IDirectDrawClipper* clipper_ = nullptr;
    GammaRamps gamma_;
};

// Waits for the start of a vertical blank, first letting a blank in
// progress end.
void waitVerticalBlankStart();

// The screen driver's desktop screen, made on first use; windowed screens
// and canvases present on its primary surface.
Win32DDScreen* win32DesktopScreen();
