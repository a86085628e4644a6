// KrGrContext and the pointer to the running 2D driver.
#include "gfx2d/kr_gr_context.h"

#include "gfx2d/kr_gr_driver_2d.h"

namespace {

KrGrDriver2D* active = nullptr;

} // namespace

KrGrContext::KrGrContext(KrGraphics* graphics, KrGrDriver2D* driver)
    : graphics_(graphics), driver_(driver), driverRun_(driver->runCount()) {
    graphics->retain();
}

KrGrContext::~KrGrContext() { graphics_->release(); }

void KrGrContext::releaseFromBuffer() {
    // While the driver's run that made this context goes on, its module still
    // holds the reference the context was made with.
    bool driverHolds = driver_->state() == KrModule::kStarted && driver_->runCount() == driverRun_;
    if (driverHolds) release();
    release();
}

void KrGrDriver2D::becomeActive() {
    ++runCount_;
    active = this;
}

void KrGrDriver2D::stopBeingActive() {
    if (active == this) active = nullptr;
}

KrGrDriver2D* activeDriver2D() { return active; }

KrGrDriver2D& driver2D() {
    if (!active) runtimeError("No 2D graphics driver is running");
    return *active;
}
