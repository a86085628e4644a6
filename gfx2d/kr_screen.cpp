// The screen base, gamma ramps and the current screen and screen driver.
#include "gfx2d/kr_screen.h"

namespace {

KrScreen* theCurrentScreen = nullptr;
KrScreenDriver* theScreenDriver = nullptr;

} // namespace

KrScreen::KrScreen() = default;

KrScreen::~KrScreen() {
    if (theCurrentScreen == this) theCurrentScreen = nullptr;
}

void KrScreen::makeCurrent() { theCurrentScreen = this; }

void KrScreen::getGamma(int red, int green, int blue, int& outRed, int& outGreen, int& outBlue) {
    outRed = red;
    outGreen = green;
    outBlue = blue;
}

GammaRamps::GammaRamps() {
    for (int i = 0; i < 256; ++i) red[i] = green[i] = blue[i] = static_cast<uint16_t>(i * 257);
}

void GammaRamps::set(int srcRed, int srcGreen, int srcBlue, int dstRed, int dstGreen, int dstBlue) {
    red[srcRed & 0xFF] = static_cast<uint16_t>(dstRed * 257);
    green[srcGreen & 0xFF] = static_cast<uint16_t>(dstGreen * 257);
    blue[srcBlue & 0xFF] = static_cast<uint16_t>(dstBlue * 257);
}

void GammaRamps::get(int r, int g, int b, int& outRed, int& outGreen, int& outBlue) const {
    outRed = red[r & 0xFF] / 257;
    outGreen = green[g & 0xFF] / 257;
    outBlue = blue[b & 0xFF] / 257;
}

KrScreen* KrScreenDriver::adoptScreen(KrScreen* screen, bool usable) {
    addResource(screen);
    if (!usable) {
        screen->release();
        return nullptr;
    }
    screen->makeCurrent();
    return screen;
}

KrScreen* activeScreen() { return theCurrentScreen; }
void setActiveScreen(KrScreen* screen) { theCurrentScreen = screen; }

KrScreenDriver* activeScreenDriver() { return theScreenDriver; }
void setActiveScreenDriver(KrScreenDriver* driver) { theScreenDriver = driver; }
