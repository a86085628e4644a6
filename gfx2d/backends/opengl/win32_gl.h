// Win32GL: the module of the "OpenGL" configuration, and Win32GLContext, the
// rendering context of one window.
//
// Every window context has a double-buffered RGBA pixel format with 24
// colour bits and 32 depth bits, and shares display lists and textures with
// the first context the module makes: a context of its own on a hidden
// window, made when the first window context is, kept until the module
// stops. So textures and glyph lists outlive the screens and canvases they
// were made under; when the module stops they are all gone at once, and the
// generation count tells objects made before that they are stale.
//
// A context is set up for 2D drawing in graphics pixels: an orthographic
// projection covering (0, 0)-(width, height) with y down, alpha test passing
// alpha above 0.5 (switched on for masked blits only), textures replacing
// the colour, colour white.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include "gfx2d/texture_image.h"

class Win32GLContext {
public:
    // Sets the window's pixel format and makes its context. Raises
    // "ChoosePixelFormat failed", "SetPixelFormat failed" or "wglCreateContext
    // failed".
    Win32GLContext(HWND window, int width, int height);
    ~Win32GLContext();
    Win32GLContext(const Win32GLContext&) = delete;
    Win32GLContext& operator=(const Win32GLContext&) = delete;

    // Makes the context current on this thread, unless it already is.
    void use();
    // Presents the back buffer.
    void swap();
    // The frame buffer follows the window's client size; the projection
    // keeps covering the graphics, which is shown scaled.
    void resizeFrame(int width, int height);
    // Scissor to a box of the frame buffer, or off (null).
    void setScissor(const FrameBox* box);

    HGLRC handle() const { return context_; }
    HDC dc() const { return dc_; }
    int frameWidth() const { return frameWidth_; }
    int frameHeight() const { return frameHeight_; }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    HWND window_;
    HDC dc_;
    HGLRC context_ = nullptr;
    int width_, height_;
    int frameWidth_, frameHeight_;
    bool scissorOn_ = false;
    FrameBox scissor_;
};

// The count of times the shared lists and textures have gone (the module
// stopped); an object made under another count is stale.
int win32GLGeneration();
// Makes some context current (the one that is, else the shared one) so that
// GL objects can be deleted; false when there is none.
bool win32GLAnyContextCurrent();

// Sets the raster position to window pixel (x, y) of the frame buffer
// (bottom-up), wherever that lies, even outside the window.
void win32GLRasterAt(const Win32GLContext& context, float x, float y);
