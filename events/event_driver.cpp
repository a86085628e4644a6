// The current event driver.
#include "events/event_driver.h"

namespace {

KrEventDriver* current = nullptr;

} // namespace

KrEventDriver* currentEventDriver() { return current; }

void setCurrentEventDriver(KrEventDriver* driver) { current = driver; }
