// The display, mode, gamma and pointer command handlers, called in tests as
// compiled code would call them.
#pragma once

class KrString;

extern "C" {
__attribute__((stdcall)) int CountGfxDrivers();
__attribute__((stdcall)) KrString* GfxDriverName(int driver);
__attribute__((stdcall)) void SetGfxDriver(int driver);
__attribute__((stdcall)) int CountGfxModes();
__attribute__((stdcall)) int GfxModeWidth(int mode);
__attribute__((stdcall)) int GfxModeHeight(int mode);
__attribute__((stdcall)) int GfxModeDepth(int mode);
__attribute__((stdcall)) int GfxModeFormat(int mode);
__attribute__((stdcall)) int GfxModeExists(int width, int height, int depth, int format);
__attribute__((stdcall)) void Graphics(int width, int height, int depth, int flags);
__attribute__((stdcall)) void EndGraphics();
__attribute__((stdcall)) int GraphicsWidth();
__attribute__((stdcall)) int GraphicsHeight();
__attribute__((stdcall)) int GraphicsFormat();
__attribute__((stdcall)) int GraphicsDepth();
__attribute__((stdcall)) void Flip(int vwait);
__attribute__((stdcall)) void VWait(int frames);
__attribute__((stdcall)) int ScanLine();
__attribute__((stdcall)) int AvailVidMem();
__attribute__((stdcall)) int TotalVidMem();
__attribute__((stdcall)) int FrontBuffer();
__attribute__((stdcall)) int BackBuffer();
__attribute__((stdcall)) int DesktopBuffer();
__attribute__((stdcall)) void SetGamma(int srcRed, int srcGreen, int srcBlue, int dstRed, int dstGreen, int dstBlue);
__attribute__((stdcall)) void UpdateGamma(int calibrate);
__attribute__((stdcall)) int GammaRed(int red);
__attribute__((stdcall)) int GammaGreen(int green);
__attribute__((stdcall)) int GammaBlue(int blue);
__attribute__((stdcall)) int MouseX(int canvas);
__attribute__((stdcall)) int MouseY(int canvas);
__attribute__((stdcall)) int MouseXSpeed(int canvas);
__attribute__((stdcall)) int MouseYSpeed(int canvas);
__attribute__((stdcall)) void MoveMouse(int x, int y, int canvas);
__attribute__((stdcall)) void ShowPointer(int canvas);
__attribute__((stdcall)) void HidePointer(int canvas);
}

// The window and canvas commands that display tests use; the command, not
// the Win32 macro of the same name, where <windows.h> came first.
#ifdef CreateWindow
#undef CreateWindow
#endif
extern "C" {
__attribute__((stdcall)) int CreateWindow(KrString* text, int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void FreeGadget(int gadget);
__attribute__((stdcall)) int CreateCanvas(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) int CanvasBuffer(int canvas);
__attribute__((stdcall)) void FlipCanvas(int canvas, int vwait);
}
