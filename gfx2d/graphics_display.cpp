// The graphics display and the Graphics / EndGraphics steps.
#include "gfx2d/graphics_display.h"

#include "events/que_filter.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "gfx2d/kr_gr_driver_2d.h"
#include "runtime/app_title.h"
#include "runtime/runtime_error.h"

extern "C" {
__attribute__((stdcall)) void Cls();
__attribute__((stdcall)) void Flip(int vwait);
}

namespace {

struct Display {
    KrScreen* screen = nullptr; // the open display's screen
    K2DBuffer* buffer = nullptr;
    K2DBuffer* desktopBuffer = nullptr;
    int request = 0;
};

Display display;

// The request word of Graphics' flags: 2 and 3 ask for a window.
int requestWord(int flags) {
    return (flags == 2 || flags == 3) ? kScreenBackBuffer | kScreenFlipByCopy | kScreenWindowed
                                      : kScreenBackBuffer | kScreenFlipByCopy;
}

int formatOfDepth(int depth) { return depth == 24 ? 3 : depth == 32 ? 4 : 1; }

void releaseBuffer(K2DBuffer*& buffer) {
    if (buffer) buffer->release();
    buffer = nullptr;
}

} // namespace

KrScreenDriver& screenDriver() {
    KrScreenDriver* driver = activeScreenDriver();
    if (!driver) runtimeError("No screen driver is running");
    return *driver;
}

KrScreen& screenArg() { return *castHandle<KrScreen>(toHandle(activeScreen())); }

void startGraphicsDisplay() {
    display = Display();
    KrScreenDriver* driver = activeScreenDriver();
    setActiveScreen(driver ? driver->desktopScreen() : nullptr);
}

void stopGraphicsDisplay() {
    endGraphics();
    releaseBuffer(display.desktopBuffer);
    setActiveScreen(nullptr);
}

void openGraphics(int width, int height, int depth, int flags) {
    endGraphics();
    if (width <= 0 || height <= 0) runtimeError("Illegal graphics size %dx%d", width, height);
    int request = requestWord(flags);
    KrScreen* screen = screenDriver().createScreen(width, height, formatOfDepth(depth), request);
    if (!screen) runtimeError("Unable to open a %dx%d graphics display", width, height);
    screen->setTitle(appTitle());
    display.screen = screen;
    display.request = request;
    setActiveScreen(screen);
    display.buffer = new K2DBuffer(screen->graphics());
    k2dGraphics().setCurrent(display.buffer);
    Cls();
    Flip(0);
    Cls();
    if (!(request & kScreenWindowed)) {
        screen->setPointerVisible(false);
        screen->moveMouse(0, 0);
        eventFlags().autoSuspend = true;
    }
}

void endGraphics() {
    if (!display.screen) return;
    if (KrGrDriver2D* driver = activeDriver2D()) driver->setContext(nullptr);
    releaseBuffer(display.buffer);
    KrScreen* screen = display.screen;
    display.screen = nullptr;
    screen->release();
    KrScreenDriver* driver = activeScreenDriver();
    setActiveScreen(driver ? driver->desktopScreen() : nullptr);
    if (!(display.request & kScreenWindowed)) eventFlags().autoSuspend = false;
}

K2DBuffer* graphicsDisplayBuffer() { return display.buffer; }

K2DBuffer* newDesktopBuffer() {
    releaseBuffer(display.desktopBuffer);
    KrScreen* desktop = screenDriver().desktopScreen();
    KrGraphics* graphics = desktop ? desktop->graphics() : nullptr;
    if (!graphics) runtimeError("The desktop has no graphics");
    display.desktopBuffer = new K2DBuffer(graphics);
    return display.desktopBuffer;
}
