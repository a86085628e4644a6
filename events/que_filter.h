// QueFilter (module "KrQueFilter"): the last filter of the chain, which keeps
// the two event queues and the halted/suspended state, and the queue
// operations that the commands build on.
//
// mainQueue receives every record but timer ticks; tickQueue holds at most one
// pending tick per timer. Readers always drain mainQueue first.
#pragma once

#include "events/event_filter.h"
#include "events/event_queue.h"

struct EventFlags {
    bool halted = false;       // the program must not run on (derived from the others)
    bool suspended = false;    // the application is deactivated
    bool autoSuspend = false;  // deactivation halts the program
    bool debugStopped = false; // a debugger host asked to stop
    bool endRequested = false; // a debugger host asked to end
    bool inModalLoop = false;  // the pump sits in a window's modal loop
};

class QueFilter : public KrEventFilter {
public:
    QueFilter();

    bool startup() override;
    void filterEvent(EventRecord& record) override;

    EventQueue mainQueue;
    EventQueue tickQueue;
    EventFlags flags;

private:
    void append(EventQueue& queue, const EventRecord& record) { queue.append(record); }
};

QueFilter& queFilter();
inline EventFlags& eventFlags() { return queFilter().flags; }

// Lets the driver take in what the platform has, then holds the program while
// it is halted; ends the program when a debugger host asked for that.
void pollEvents();

// Takes the next record, mainQueue first, waiting up to timeout milliseconds
// (negative: without limit). dst may be null; gives the id, 0 when none came.
int takeEvent(EventRecord* dst, int timeout, bool remove);

// takeEvent, then the modal-loop tracking and the halt: a halted program stays
// here, consuming records, until the halt is lifted.
int nextEvent(EventRecord* dst, int timeout, bool remove);

// Removes the queued records of a kind (a low byte of 0 makes it a group
// mask; -1 is every id from 0x100 up) and of a source (0: any).
void flushEvents(int kind, int source);
