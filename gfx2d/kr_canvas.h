// KrCanvas, a gadget with a drawing surface, and KrCanvasDriver, the module
// of subsystem "Canvas" that makes canvases inside groups.
//
// A canvas owns the K2DBuffer of its graphics (found with findOwned by the
// buffer's query id) and keeps its own last pointer position for the speed
// commands.
#pragma once

#include "gui/group.h"
#include "runtime/module.h"

class KrGraphics;

class KrCanvas : public KrGroup {
public:
    static constexpr const char* kHandleName = "Canvas Gadget";

    KrCanvas(KrGroup* group, int style) : KrGroup(group, style) {}

    // After the group's operations, in this order.
    virtual KrGraphics* graphics() = 0;
    virtual void flip(bool vwait) = 0;
    virtual void setPointerVisible(bool show) = 0;
    virtual void moveMouse(int x, int y) = 0;
    virtual int mouseX() = 0;
    virtual int mouseY() = 0;

    int lastMouseX = 0;
    int lastMouseY = 0;
};

// A canvas driver starts the "Gui" subsystem, whose windows its canvases
// live in, and becomes the active canvas driver until it stops.
class KrCanvasDriver : public KrModule {
public:
    bool startup() override;
    void shutdown() override;

    virtual KrCanvas* createCanvas(KrGroup* group, int style) = 0;
};

// The started canvas driver, or null.
KrCanvasDriver* activeCanvasDriver();
void setActiveCanvasDriver(KrCanvasDriver* driver);
