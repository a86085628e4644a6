// Raising events from a source, and the flush of its records on release.
#include "events/event_source.h"

#include "events/event_filter.h"
#include "events/que_filter.h"
#include "runtime/program_run.h"

void KrEventSource::free() {
    if (runState() == kRunRunning) flushEvents(-1, toHandle(this));
    KrResource::free();
}

void KrEventSource::emit(int id, int data, int x, int y, int z) {
    postEvent(EventRecord{id, data, x, y, z, toHandle(this)});
}
