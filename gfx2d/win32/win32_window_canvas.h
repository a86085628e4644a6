// Win32WindowCanvas: what the canvases of the Windows back ends share: a
// child window of the group's client window that raises key, button, wheel
// and pointer events with the canvas as source, the pointer commands, and
// the size its graphics is made with. A back end derives its canvas from
// this one and adds the graphics and flip of its platform.
#pragma once

#include "gfx2d/kr_canvas.h"
#include "gui/win32/win32_gadget.h"

class Win32WindowCanvas : public Win32Gadget<KrCanvas> {
public:
    // Raises "Unable to create canvas" when the window cannot be made.
    Win32WindowCanvas(KrGroup* group, int style);

    void clientRect(int& x, int& y, int& width, int& height) override;
    void setPointerVisible(bool show) override;
    void moveMouse(int x, int y) override;
    int mouseX() override;
    int mouseY() override;

    HWND window() const { return native_.handle(); }

protected:
    // The size of a graphics made now: the client area's, at least 1 x 1.
    // From then on the window reports pointer positions in pixels of that
    // size however it is resized.
    void takeGraphicsSize(int& width, int& height);
};
