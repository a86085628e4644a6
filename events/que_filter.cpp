// The queue filter's rules, and taking, waiting for and flushing events.
#include "events/que_filter.h"

#include "events/event_driver.h"
#include "events/hot_keys.h"
#include "platform/clock.h"
#include "runtime/debugger.h"
#include "runtime/program_run.h"

namespace {

QueFilter theQueFilter;

void waitOnDriver(int timeout) {
    if (KrEventDriver* driver = currentEventDriver()) driver->wait(timeout);
}

} // namespace

QueFilter& queFilter() { return theQueFilter; }

QueFilter::QueFilter() : KrEventFilter(0) {
    setup("KrQueFilter");
    makeChainHead(this);
}

// Each run starts with empty queues, no halt and no hot keys: a previous run in the same
// process (a host running several programs) must leave nothing behind.
bool QueFilter::startup() {
    mainQueue.clear();
    tickQueue.clear();
    flags = EventFlags();
    clearHotKeys();
    return true;
}

void QueFilter::filterEvent(EventRecord& record) {
    switch (record.id) {
    case 0:
        // Id 0 reads as "no event": queued, such a record (a hot key bound to
        // id 0) would make the queue look empty to PeekEvent while records
        // wait behind it, and no flush could remove it.
        return;
    case EVENT_MOUSE_MOVE:
        // Only the latest position of a burst of motion matters.
        if (EventRecord* newest = mainQueue.newest();
            newest && newest->id == EVENT_MOUSE_MOVE && newest->source == record.source) {
            *newest = record;
            return;
        }
        append(mainQueue, record);
        return;
    case EVENT_TIMER_TICK:
        // One pending tick per timer, in its first place, with the latest count.
        for (uint32_t i = 0, n = tickQueue.count(); i < n; ++i) {
            EventRecord& pending = tickQueue.at(i);
            if (pending.id == record.id && pending.source == record.source) {
                pending = record;
                return;
            }
        }
        append(tickQueue, record);
        return;
    case EVENT_APP_SUSPEND:
        if (flags.suspended) return;
        flags.suspended = true;
        flags.halted = flags.debugStopped || flags.autoSuspend;
        append(mainQueue, record);
        return;
    case EVENT_APP_RESUME:
        if (!flags.suspended) return;
        flags.suspended = false;
        flags.halted = flags.debugStopped;
        append(mainQueue, record);
        return;
    case EVENT_DEBUG_STOP:
        if (flags.debugStopped) return;
        flags.debugStopped = true;
        flags.halted = true;
        currentDebugger()->onStop();
        return;
    case EVENT_DEBUG_RUN:
        if (!flags.debugStopped) return;
        flags.debugStopped = false;
        flags.halted = flags.suspended && flags.autoSuspend;
        currentDebugger()->onRun();
        return;
    case EVENT_DEBUG_END:
        flags.endRequested = true;
        flags.halted = true;
        append(mainQueue, record);
        return;
    default:
        append(mainQueue, record);
        return;
    }
}

void pollEvents() {
    EventFlags& flags = eventFlags();
    if (flags.inModalLoop) return;
    // Called from a window procedure in dispatch (a source released there):
    // the halt cannot be waited out on the pump's own context.
    if (KrEventDriver* driver = currentEventDriver(); driver && driver->onPump()) return;
    waitOnDriver(0);
    while (flags.halted) {
        if (flags.endRequested) krEnd();
        waitOnDriver(-1);
    }
}

namespace {

// Waits as takeEvent does; with untilHaltLifts it also gives 0 once a halt
// has been lifted without a record (a debugger's continue is not queued).
int takeEventFor(EventRecord* dst, int timeout, bool remove, bool untilHaltLifts) {
    QueFilter& q = queFilter();
    uint32_t deadline = timeout > 0 ? platform::milliSecs() + static_cast<uint32_t>(timeout) : 0;
    if (int id = q.mainQueue.take(dst, remove)) return id;
    if (!q.tickQueue.empty()) {
        // A tick is waiting, but whatever the platform has for mainQueue goes first.
        waitOnDriver(0);
        if (int id = q.mainQueue.take(dst, remove)) return id;
        return q.tickQueue.take(dst, remove);
    }
    for (int w = timeout;;) {
        waitOnDriver(w);
        if (int id = q.mainQueue.take(dst, remove)) return id;
        if (int id = q.tickQueue.take(dst, remove)) return id;
        if (untilHaltLifts && !q.flags.halted) return 0;
        if (w < 0) continue;
        if (w == 0) return 0;
        w = static_cast<int>(deadline - platform::milliSecs());
        if (w <= 0) return 0;
    }
}

void trackModalLoop(int id) {
    if (id == EVENT_MODAL_BEGIN) eventFlags().inModalLoop = true;
    if (id == EVENT_MODAL_END) eventFlags().inModalLoop = false;
}

} // namespace

int takeEvent(EventRecord* dst, int timeout, bool remove) { return takeEventFor(dst, timeout, remove, false); }

int nextEvent(EventRecord* dst, int timeout, bool remove) {
    EventFlags& flags = eventFlags();
    for (;;) {
        int r = takeEvent(dst, timeout, remove);
        trackModalLoop(r);
        bool wasHalted = flags.halted;
        while (flags.halted) {
            if (flags.endRequested) krEnd();
            r = takeEventFor(dst, -1, true, true);
            trackModalLoop(r);
        }
        // A halt lifted by a debugger's continue leaves nothing to return; a
        // wait without limit then goes on waiting for a real event.
        if (r != 0 || timeout >= 0 || !wasHalted) return r;
    }
}

void flushEvents(int kind, int source) {
    QueFilter& q = queFilter();
    uint32_t mask = kind == -1 ? 0xFFFFFF00u : static_cast<uint32_t>(kind);
    bool exact = (mask & 0xFF) != 0;
    auto matches = [&](const EventRecord& r) {
        if (source != 0 && r.source != source) return false;
        return exact ? static_cast<uint32_t>(r.id) == mask : (static_cast<uint32_t>(r.id) & mask) != 0;
    };
    for (;;) {
        pollEvents();
        uint32_t removed = q.mainQueue.removeIf(matches) + q.tickQueue.removeIf(matches);
        if (removed == 0) return;
    }
}
