// Win32DD: the DirectDraw object that every part of the DirectDraw back end
// works through, and helpers shared by its surfaces, screens and canvases.
//
// The module loads the DirectDraw library at start, creates the DirectDraw
// object with the version-7 interface and sets the normal cooperative level;
// the start fails when the library or the interface is not there.
#pragma once

#include <windows.h>

#include <ddraw.h>

// The running DirectDraw object; none running is an internal error.
IDirectDraw7* win32DirectDraw();

// The pixel format code of a surface's description, 0 when not recognised;
// with report set, an unrecognised description is a runtime error.
int surfaceFormatCode(const DDPIXELFORMAT& format, bool report);

// A surface description with its size field set.
inline DDSURFACEDESC2 surfaceDesc() {
    DDSURFACEDESC2 desc = {};
    desc.dwSize = sizeof(desc);
    return desc;
}

// A clipper bound to the window, or null when one cannot be made.
IDirectDrawClipper* createWindowClipper(HWND window);

// Releases a COM interface and clears the pointer.
template <typename T>
void releaseInterface(T*& object) {
    if (object) object->Release();
    object = nullptr;
}
