// Win32GLScreenDriver: the screen driver of the OpenGL back end. It lists
// the one mode 640 x 480, format 1; scan line and video memory are 0,
// vertical blanks are not waited for, and there is no desktop screen.
#include "gfx2d/backends/opengl/win32_gl_screen.h"
#include "gfx2d/backends/window_mode_screen_driver.h"

namespace {

class Win32GLScreenDriver : public WindowModeScreenDriver {
public:
    Win32GLScreenDriver() { setup("Win32GLScreenDriver", "Screen", "OpenGL"); }

    bool startup() override {
        if (!requireModule("Win32GL")) return false;
        setActiveScreenDriver(this);
        return true;
    }

    void shutdown() override {
        if (activeScreenDriver() == this) setActiveScreenDriver(nullptr);
    }

    KrScreen* createScreen(int width, int height, int format, int request) override {
        auto* screen = new Win32GLScreen(width, height, format, request);
        // Owned by the module before anything can fail, so a context that
        // cannot be made leaves nothing behind once the module stops.
        addResource(screen);
        if (!screen->open()) {
            screen->release();
            return nullptr;
        }
        screen->makeCurrent();
        return screen;
    }

    KrScreen* desktopScreen() override { return nullptr; }
};

Win32GLScreenDriver theDriver;

} // namespace
