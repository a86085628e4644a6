// KrEventSource: a resource that raises events (gadgets, windows, screens,
// canvases, timers).
//
// Releasing a source while the program runs first flushes its queued records,
// so no record the program reads later names a dead source.
#pragma once

#include "events/event_record.h"
#include "runtime/resource.h"

class KrEventSource : public KrResource {
public:
    void free() override;

    // Builds a record with this object as its source and posts it.
    void emit(int id, int data = 0, int x = 0, int y = 0, int z = 0);
};
