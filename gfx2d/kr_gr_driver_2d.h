// KrGrDriver2D: the 2D drawing driver of the "GrDriver2D" subsystem.
//
// A driver keeps one current context and draws into that context's graphics.
// Its operations follow the module's start and stop in this fixed slot order.
// Coordinates reach the driver with the buffer's origin already added;
// everything the driver draws is clipped to the context's viewport.
#pragma once

#include <cstdint>

#include "gfx2d/kr_gr_context.h"
#include "gfx2d/kr_rect.h"
#include "runtime/module.h"

class KrFont;
class KrString;

class KrGrDriver2D : public KrModule {
public:
    virtual void setContext(KrGrContext* context) = 0;               // slot 2
    virtual KrGrContext* createContext(KrGraphics* graphics) = 0;     // slot 3
    virtual void setFont(KrFont* font) = 0;                           // slot 4
    virtual void setColor(uint32_t argb) = 0;                         // slot 5
    virtual void setViewport(const KrRect& viewport) = 0;             // slot 6
    virtual KrFont* font() = 0;                                       // slot 7
    virtual uint32_t color() = 0;                                     // slot 8
    virtual KrRect viewport() = 0;                                    // slot 9
    virtual void plot(int x, int y) = 0;                              // slot 10
    virtual void line(int x1, int y1, int x2, int y2) = 0;            // slot 11
    virtual void rect(int x, int y, int w, int h, bool solid) = 0;    // slot 12
    virtual void oval(int x, int y, int w, int h, bool solid) = 0;    // slot 13
    virtual void blitImage(int x, int y, int w, int h, KrGraphics* source, int sx, int sy,
                           bool masked) = 0;                          // slot 14
    virtual void text(int x, int y, const KrString* text) = 0;        // slot 15
    virtual KrGraphics* createGraphics(int width, int height, int depth, int flags) = 0; // slot 16

    // Counts the driver's starts, so a context can tell whether the run of
    // the driver that made it is still going.
    int runCount() const { return runCount_; }

protected:
    // Called by a driver's startup: becomes the active driver.
    void becomeActive();
    // Called by a driver's shutdown.
    void stopBeingActive();

private:
    int runCount_ = 0;
};

// The running 2D driver, or null when none runs.
KrGrDriver2D* activeDriver2D();
// The running 2D driver; none running is a runtime error.
KrGrDriver2D& driver2D();
