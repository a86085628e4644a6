// KrEventFilter and the filter chain that every event record runs through.
//
// The chain is a singly linked list from one global head, kept in descending
// priority. The queue filter (priority 0) heads it from static construction
// and ends up last; the other filters join when their module starts and leave
// when it stops. Records are passed by reference down direct links: nothing on
// this path allocates.
#pragma once

#include "events/event_record.h"
#include "runtime/module.h"

class KrEventFilter : public KrModule {
public:
    explicit KrEventFilter(int priority) : priority_(priority) {}

    virtual void filterEvent(EventRecord& record) = 0;

    // Hands the record to the successor, or to the chain head when there is none.
    void passOn(EventRecord& record);

    int priority() const { return priority_; }
    KrEventFilter* successor() const { return next_; }

private:
    friend void installFilter(KrEventFilter* filter);
    friend void removeFilter(KrEventFilter* filter);
    friend void makeChainHead(KrEventFilter* filter);

    int priority_;
    KrEventFilter* next_ = nullptr;
    bool linked_ = false;
};

KrEventFilter* filterChainHead();
// Inserts after every filter whose priority is greater than or equal to its own.
void installFilter(KrEventFilter* filter);
void removeFilter(KrEventFilter* filter);
void makeChainHead(KrEventFilter* filter);

// Hands a record to the first filter of the chain.
void postEvent(const EventRecord& record);
