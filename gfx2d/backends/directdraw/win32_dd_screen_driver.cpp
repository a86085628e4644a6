// Win32DDScreenDriver: display modes, vertical blanks, video memory and the
// screens of the DirectDraw back end.
//
// The mode list is read once at start, in the display's enumeration order,
// keeping only the modes whose pixel format has a code.
#include <vector>

#include "gfx2d/backends/directdraw/win32_dd_screen.h"

namespace {

class Win32DDScreenDriver : public KrScreenDriver {
public:
    Win32DDScreenDriver() { setup("Win32DDScreenDriver", "Screen", "DirectDraw"); }

    bool startup() override {
        if (!requireModule("Win32DD")) return false;
        modes_.clear();
        win32DirectDraw()->EnumDisplayModes(0, nullptr, this, &Win32DDScreenDriver::addMode);
        desktop_ = nullptr;
        setActiveScreenDriver(this);
        return true;
    }

    void shutdown() override {
        desktop_ = nullptr; // released with the module's resources
        if (activeScreenDriver() == this) setActiveScreenDriver(nullptr);
    }

    int scanLine() override {
        DWORD line = 0;
        return SUCCEEDED(win32DirectDraw()->GetScanLine(&line)) ? static_cast<int>(line) : 0;
    }

    int availableVideoMemory() override { return videoMemory(false); }
    int totalVideoMemory() override { return videoMemory(true); }

    void waitVerticalBlanks(int frames) override {
        for (int i = 0; i < frames; ++i) waitVerticalBlankStart();
    }

    int modeCount() override { return static_cast<int>(modes_.size()); }

    bool modeInfo(int index, int& width, int& height, int& format) override {
        width = height = format = 0;
        if (index < 0 || index >= modeCount()) return false;
        width = modes_[index].width;
        height = modes_[index].height;
        format = modes_[index].format;
        return true;
    }

    KrScreen* createScreen(int width, int height, int format, int request) override {
        auto* screen = new Win32DDScreen(width, height, format, request);
        return adoptScreen(screen, screen->valid());
    }

    Win32DDScreen* desktopScreen() override {
        if (!desktop_) {
            desktop_ = new Win32DDScreen();
            addResource(desktop_);
        }
        return desktop_;
    }

private:
    static HRESULT WINAPI addMode(DDSURFACEDESC2* desc, void* context) {
        int format = surfaceFormatCode(desc->ddpfPixelFormat, false);
        if (format != 0) {
            auto* driver = static_cast<Win32DDScreenDriver*>(context);
            driver->modes_.push_back(
                ScreenMode{static_cast<int>(desc->dwWidth), static_cast<int>(desc->dwHeight), format});
        }
        return DDENUMRET_OK;
    }

    static int videoMemory(bool total) {
        DDSCAPS2 caps = {};
        caps.dwCaps = DDSCAPS_VIDEOMEMORY;
        DWORD all = 0, free = 0;
        if (FAILED(win32DirectDraw()->GetAvailableVidMem(&caps, &all, &free))) return 0;
        return static_cast<int>(total ? all : free);
    }

    std::vector<ScreenMode> modes_;
    Win32DDScreen* desktop_ = nullptr;
};

Win32DDScreenDriver theDriver;

} // namespace

Win32DDScreen* win32DesktopScreen() { return theDriver.desktopScreen(); }
