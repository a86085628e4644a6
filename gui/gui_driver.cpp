#include "gui/gui_driver.h"

#include "runtime/runtime_error.h"

namespace {

KrGuiDriver* theDriver = nullptr;

} // namespace

KrGuiDriver& guiDriver() {
    // The driver starts with the program's modules; commands run only after.
    if (!theDriver) internalError("No gadget driver is running");
    return *theDriver;
}

void setCurrentGuiDriver(KrGuiDriver* driver) { theDriver = driver; }
KrGuiDriver* currentGuiDriver() { return theDriver; }
