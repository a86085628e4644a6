// The display commands: opening and closing the graphics display, its size
// and format, presenting, the screen driver's queries, the display buffers
// and gamma.
#include "gfx2d/graphics_display.h"
#include "gfx2d/k2d_graphics_driver.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) void Graphics(int width, int height, int depth, int flags) {
    openGraphics(width, height, depth, flags);
}

__attribute__((stdcall)) void EndGraphics() { endGraphics(); }

// A screen without graphics (the desktop of a back end that cannot draw on
// the desktop) reads as 0 by 0 in no format.
__attribute__((stdcall)) int GraphicsWidth() {
    KrGraphics* graphics = screenArg().graphics();
    return graphics ? graphics->width() : 0;
}

__attribute__((stdcall)) int GraphicsHeight() {
    KrGraphics* graphics = screenArg().graphics();
    return graphics ? graphics->height() : 0;
}

__attribute__((stdcall)) int GraphicsFormat() {
    KrGraphics* graphics = screenArg().graphics();
    if (!graphics) return 0;
    GraphicsLock lock(graphics);
    return lock.format;
}

__attribute__((stdcall)) int GraphicsDepth() { return formatDepth(GraphicsFormat()); }

__attribute__((stdcall)) void Flip(int vwait) { screenArg().flip(vwait != 0); }

__attribute__((stdcall)) void VWait(int frames) { screenDriver().waitVerticalBlanks(frames); }
__attribute__((stdcall)) int ScanLine() { return screenDriver().scanLine(); }
__attribute__((stdcall)) int AvailVidMem() { return screenDriver().availableVideoMemory(); }
__attribute__((stdcall)) int TotalVidMem() { return screenDriver().totalVideoMemory(); }

__attribute__((stdcall)) int FrontBuffer() { return toHandle(graphicsDisplayBuffer()); }
__attribute__((stdcall)) int BackBuffer() { return toHandle(graphicsDisplayBuffer()); }
__attribute__((stdcall)) int DesktopBuffer() { return toHandle(newDesktopBuffer()); }

__attribute__((stdcall)) void SetGamma(int srcRed, int srcGreen, int srcBlue, int dstRed, int dstGreen, int dstBlue) {
    screenArg().setGamma(srcRed, srcGreen, srcBlue, dstRed, dstGreen, dstBlue);
}

__attribute__((stdcall)) void UpdateGamma(int calibrate) { screenArg().updateGamma(calibrate != 0); }

__attribute__((stdcall)) int GammaRed(int red) {
    int r, g, b;
    screenArg().getGamma(red, red, red, r, g, b);
    return r;
}

__attribute__((stdcall)) int GammaGreen(int green) {
    int r, g, b;
    screenArg().getGamma(green, green, green, r, g, b);
    return g;
}

__attribute__((stdcall)) int GammaBlue(int blue) {
    int r, g, b;
    screenArg().getGamma(blue, blue, blue, r, g, b);
    return b;
}

} // extern "C"

KR_COMMAND(Graphics2D, "VWait%frames=1", VWait);
KR_COMMAND(Graphics2D, "%ScanLine", ScanLine);
KR_COMMAND(Graphics2D, "%AvailVidMem", AvailVidMem);
KR_COMMAND(Graphics2D, "%TotalVidMem", TotalVidMem);
KR_COMMAND(Graphics2D, "Graphics%width%height%depth=0%flags=0", Graphics);
KR_COMMAND(Graphics2D, "EndGraphics", EndGraphics);
KR_COMMAND(Graphics2D, "%BackBuffer", BackBuffer);
KR_COMMAND(Graphics2D, "%FrontBuffer", FrontBuffer);
KR_COMMAND(Graphics2D, "%DesktopBuffer", DesktopBuffer);
KR_COMMAND(Graphics2D, "%GraphicsWidth", GraphicsWidth);
KR_COMMAND(Graphics2D, "%GraphicsHeight", GraphicsHeight);
KR_COMMAND(Graphics2D, "%GraphicsDepth", GraphicsDepth);
KR_COMMAND(Graphics2D, "%GraphicsFormat", GraphicsFormat);
KR_COMMAND(Graphics2D, "Flip%vwait=1", Flip);
KR_COMMAND(Graphics2D, "SetGamma%src_red%src_green%src_blue%dest_red%dest_green%dest_blue", SetGamma);
KR_COMMAND(Graphics2D, "UpdateGamma%calibrate=0", UpdateGamma);
KR_COMMAND(Graphics2D, "%GammaRed%red", GammaRed);
KR_COMMAND(Graphics2D, "%GammaGreen%green", GammaGreen);
KR_COMMAND(Graphics2D, "%GammaBlue%blue", GammaBlue);
