// KrGrContext: what a 2D driver draws with: one graphics, held counted.
//
// A driver makes contexts of its own kind (adding font, colour and viewport)
// and hands each to its module, which releases it when the driver stops. The
// buffer that asked for the context holds a second reference and gives both
// back when it goes, so a context neither outlives its buffer while the
// driver runs nor vanishes under a buffer that outlives the driver.
#pragma once

#include "gfx2d/kr_graphics.h"

class KrGrDriver2D;

class KrGrContext : public KrResource {
public:
    KrGrContext(KrGraphics* graphics, KrGrDriver2D* driver);
    ~KrGrContext() override;

    KrGraphics* graphics() const { return graphics_; }
    KrGrDriver2D* driver() const { return driver_; }

    // Called by the buffer that holds it: drops the buffer's reference and,
    // while the driver that made it still runs, the driver's reference too.
    void releaseFromBuffer();

private:
    KrGraphics* graphics_;
    KrGrDriver2D* driver_;
    int driverRun_; // the driver's run counter when the context was made
};
