// KrScreen, the owner of a display surface, and KrScreenDriver, the module of
// subsystem "Screen" that lists display modes and makes screens.
//
// A back end derives both. The 2D commands address one current screen (the
// driver's desktop screen while no graphics display is open); a screen that
// is destroyed stops being current. Screens that support gamma keep the three
// ramps here; updateGamma sends them to the display.
#pragma once

#include <cstdint>

#include "events/event_source.h"
#include "runtime/module.h"

class KrGraphics;

// The word Graphics hands to createScreen.
constexpr int kScreenWindowed = 4;   // a window rather than the whole display
constexpr int kScreenBackBuffer = 8; // draw into a back buffer
constexpr int kScreenFlipByCopy = 32; // present by copying the back buffer

class KrScreen : public KrEventSource {
public:
    static constexpr const char* kHandleName = "Screen";

    KrScreen();
    ~KrScreen() override;

    virtual KrGraphics* graphics() = 0;
    virtual void flip(bool vwait) = 0;
    virtual void setPointerVisible(bool show) {}
    virtual void moveMouse(int x, int y) {}
    virtual int mouseX() { return 0; }
    virtual int mouseY() { return 0; }
    virtual void makeCurrent();
    virtual void setTitle(const char* title) {}
    virtual void setGamma(int srcRed, int srcGreen, int srcBlue, int dstRed, int dstGreen, int dstBlue) {}
    virtual void getGamma(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue);
    virtual void updateGamma(bool calibrate) {}

    // The position last read by MouseXSpeed and MouseYSpeed.
    int lastMouseX = 0;
    int lastMouseY = 0;
};

// The three gamma ramps of a screen, each entry i starting as i × 257.
struct GammaRamps {
    uint16_t red[256];
    uint16_t green[256];
    uint16_t blue[256];

    GammaRamps();
    void set(int srcRed, int srcGreen, int srcBlue, int dstRed, int dstGreen, int dstBlue);
    void get(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) const;
};

// A display mode: size and pixel format code.
struct ScreenMode {
    int width = 0;
    int height = 0;
    int format = 0;
};

class KrScreenDriver : public KrModule {
public:
    virtual int scanLine() = 0;
    virtual int availableVideoMemory() = 0;
    virtual int totalVideoMemory() = 0;
    virtual void waitVerticalBlanks(int frames) = 0;
    virtual int modeCount() = 0;
    // False (and the outputs 0) for an index outside the list; indices from 0.
    virtual bool modeInfo(int index, int& width, int& height, int& format) = 0;
    virtual KrScreen* createScreen(int width, int height, int format, int request) = 0;
    virtual KrScreen* desktopScreen() = 0;

protected:
    // The end of createScreen: the module owns the new screen until it is
    // released, so an error raised while the screen takes the display leaves
    // nothing behind; a screen that could not be made (not usable) goes at
    // once and null is returned, else it is made current.
    KrScreen* adoptScreen(KrScreen* screen, bool usable);
};

// The screen that screen commands address, or null.
KrScreen* activeScreen();
void setActiveScreen(KrScreen* screen);

// The started screen driver, or null.
KrScreenDriver* activeScreenDriver();
void setActiveScreenDriver(KrScreenDriver* driver);
