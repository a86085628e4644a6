// Win32CanvasWindow: what every back end's canvases share: a child window of
// the group's client window that raises key, button, wheel and pointer
// events with the canvas as source, its client area, and the pointer.
//
// A back end derives its canvas from this and adds the graphics and flip.
// Once the canvas has made its graphics it gives the window a logical size
// (useGraphicsSize), so pointer positions stay in graphics pixels however
// the window is sized.
#pragma once

#include "gfx2d/kr_canvas.h"
#include "gui/win32/win32_gadget.h"

class Win32CanvasWindow : public Win32Gadget<KrCanvas> {
public:
    // Raises "Unable to create canvas" when the window cannot be made.
    Win32CanvasWindow(KrGroup* group, int style);

    void clientRect(int& x, int& y, int& width, int& height) override;
    void setPointerVisible(bool show) override { native_.setPointerShape(show ? 1 : 0); }
    void moveMouse(int x, int y) override { native_.movePointer(x, y); }
    int mouseX() override { return native_.lastX(); }
    int mouseY() override { return native_.lastY(); }

    HWND window() const { return native_.handle(); }

protected:
    // The size a graphics made now should have: the client area's, at least
    // 1 x 1; from then on pointer positions are scaled to it.
    void graphicsSize(int& width, int& height);
};

