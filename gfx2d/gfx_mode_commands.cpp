// Choosing the graphics driver and reading the display mode list.
#include "gfx2d/graphics_display.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

const char* const driverNames[] = {"Native", "OpenGL", "DirectDraw"};
constexpr int kDriverCount = 3;

// Checked before the driver is asked.
int modeIndex(int mode) {
    if (mode < 1 || mode > screenDriver().modeCount()) runtimeError("Illegal graphics mode index");
    return mode - 1;
}

ScreenMode modeAt(int index) {
    ScreenMode m;
    screenDriver().modeInfo(index, m.width, m.height, m.format);
    return m;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int CountGfxDrivers() { return kDriverCount; }

__attribute__((stdcall)) KrString* GfxDriverName(int driver) {
    if (driver < 1 || driver > kDriverCount) runtimeError("Illegal graphics driver index");
    return krNewString(driverNames[driver - 1]);
}

__attribute__((stdcall)) void SetGfxDriver(int driver) {
    if (driver < 1 || driver > kDriverCount) runtimeError("Illegal graphics driver index");
    for (const char* subsystem : {"Screen", "Canvas", "Graphics", "GrDriver2D"})
        selectConfig(subsystem, driverNames[driver - 1]);
    stopSubsystemModules();
    startSubsystemModules();
}

__attribute__((stdcall)) int CountGfxModes() { return screenDriver().modeCount(); }
__attribute__((stdcall)) int GfxModeWidth(int mode) { return modeAt(modeIndex(mode)).width; }
__attribute__((stdcall)) int GfxModeHeight(int mode) { return modeAt(modeIndex(mode)).height; }
__attribute__((stdcall)) int GfxModeFormat(int mode) { return modeAt(modeIndex(mode)).format; }
__attribute__((stdcall)) int GfxModeDepth(int mode) { return formatDepth(modeAt(modeIndex(mode)).format); }

__attribute__((stdcall)) int GfxModeExists(int width, int height, int depth, int format) {
    int count = screenDriver().modeCount();
    for (int i = 0; i < count; ++i) {
        ScreenMode m = modeAt(i);
        if ((!width || m.width == width) && (!height || m.height == height) &&
            (!depth || formatDepth(m.format) == depth) && (!format || m.format == format))
            return 1;
    }
    return 0;
}

} // extern "C"

KR_COMMAND(Graphics2D, "%CountGfxDrivers", CountGfxDrivers);
KR_COMMAND(Graphics2D, "$GfxDriverName%driver", GfxDriverName);
KR_COMMAND(Graphics2D, "SetGfxDriver%driver", SetGfxDriver);
KR_COMMAND(Graphics2D, "%CountGfxModes", CountGfxModes);
KR_COMMAND(Graphics2D, "%GfxModeWidth%mode", GfxModeWidth);
KR_COMMAND(Graphics2D, "%GfxModeHeight%mode", GfxModeHeight);
KR_COMMAND(Graphics2D, "%GfxModeDepth%mode", GfxModeDepth);
KR_COMMAND(Graphics2D, "%GfxModeFormat%mode", GfxModeFormat);
KR_COMMAND(Graphics2D, "%GfxModeExists%width%height%depth=0%format=0", GfxModeExists);
