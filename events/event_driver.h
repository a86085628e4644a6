// KrEventDriver: the platform side of the event system, which runs the
// message pump on an execution context of its own.
//
// wait(timeout) called by the program switches to the pump, which takes in
// whatever the platform has (blocking up to timeout milliseconds when nothing
// is there; negative waits without limit) and switches back. Called on the
// pump's own context it does nothing.
#pragma once

#include "runtime/module.h"

class KrEventDriver : public KrModule {
public:
    virtual void wait(int timeout) = 0;

    // True while the pump runs (a window procedure in dispatch): waiting
    // there cannot let the pump take anything in.
    bool onPump() const { return onPump_; }

protected:
    bool onPump_ = false;
};

// The driver that the queue operations wait on; null outside a run.
KrEventDriver* currentEventDriver();
void setCurrentEventDriver(KrEventDriver* driver);
