// Win32GDIScreenDriver: the screens of the "Native" back end.
//
// GDI reports one display mode, 640 x 480 in format 1; it knows no scan
// line, video memory or vertical blank, so those read 0 and VWait returns at
// once. The desktop screen is made when the driver starts.
#include "gfx2d/backends/gdi/win32_gdi_screen.h"
#include "gfx2d/backends/window_mode_screen_driver.h"

namespace {

class Win32GDIScreenDriver : public WindowModeScreenDriver {
public:
    Win32GDIScreenDriver() { setup("Win32GDIScreenDriver", "Screen", "Native"); }

    bool startup() override {
        if (!requireModule("Win32GDI") || !requireModule("Win32DIB")) return false;
        desktop_ = new Win32GDIScreen();
        addResource(desktop_);
        setActiveScreenDriver(this);
        return true;
    }

    void shutdown() override {
        desktop_ = nullptr; // released with the module's resources
        if (activeScreenDriver() == this) setActiveScreenDriver(nullptr);
    }

    KrScreen* createScreen(int width, int height, int format, int request) override {
        // The bitmap first: should it fail, nothing else exists yet.
        Win32GDIGraphics* graphics = Win32GDIGraphics::create(width, height, 24);
        auto* screen = new Win32GDIScreen(graphics, format, request);
        return adoptScreen(screen, screen->valid());
    }

    KrScreen* desktopScreen() override { return desktop_; }

private:
    Win32GDIScreen* desktop_ = nullptr;
};

Win32GDIScreenDriver theDriver;

} // namespace
