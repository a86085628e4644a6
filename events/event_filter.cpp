// The filter chain: insertion by priority, removal, and the hand-over of a
// record from one filter to the next.
#include "events/event_filter.h"

namespace {

KrEventFilter* chainHead = nullptr;

} // namespace

KrEventFilter* filterChainHead() { return chainHead; }

void makeChainHead(KrEventFilter* filter) {
    filter->next_ = chainHead;
    filter->linked_ = true;
    chainHead = filter;
}

void installFilter(KrEventFilter* filter) {
    if (filter->linked_) removeFilter(filter);
    KrEventFilter** p = &chainHead;
    while (*p && (*p)->priority_ >= filter->priority_) p = &(*p)->next_;
    filter->next_ = *p;
    *p = filter;
    filter->linked_ = true;
}

void removeFilter(KrEventFilter* filter) {
    for (KrEventFilter** p = &chainHead; *p; p = &(*p)->next_) {
        if (*p == filter) {
            *p = filter->next_;
            break;
        }
    }
    filter->next_ = nullptr;
    filter->linked_ = false;
}

void KrEventFilter::passOn(EventRecord& record) {
    KrEventFilter* next = next_ ? next_ : chainHead;
    next->filterEvent(record);
}

void postEvent(const EventRecord& record) {
    EventRecord copy = record;
    chainHead->filterEvent(copy);
}
