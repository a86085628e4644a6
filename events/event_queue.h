// EventQueue: a ring of 256 event records with two running counters.
//
// The counters only grow; the slot of counter value n is n & 0xFF. The queue
// holds put - get records, is empty when they are equal and full at 256.
// Appending to a full queue drops the new record: a burst the program does
// not read must not grow memory or stall the pump.
#pragma once

#include <cstdint>

#include "events/event_record.h"

class EventQueue {
public:
    static constexpr uint32_t kCapacity = 256;

    bool empty() const { return put_ == get_; }
    bool full() const { return put_ - get_ >= kCapacity; }
    uint32_t count() const { return put_ - get_; }

    // False when the record was dropped because the queue is full.
    bool append(const EventRecord& record) {
        if (full()) return false;
        slots_[put_ & 0xFF] = record;
        ++put_;
        return true;
    }

    // The newest record, or null when empty.
    EventRecord* newest() { return empty() ? nullptr : &slots_[(put_ - 1) & 0xFF]; }
    // The record at position i counted from the oldest (i < count()).
    EventRecord& at(uint32_t i) { return slots_[(get_ + i) & 0xFF]; }

    // Copies the oldest record to dst (when given), removes it when asked, and
    // gives its id; 0 when empty.
    int32_t take(EventRecord* dst, bool remove) {
        if (empty()) return 0;
        const EventRecord& oldest = slots_[get_ & 0xFF];
        if (dst) *dst = oldest;
        int32_t id = oldest.id;
        if (remove) ++get_;
        return id;
    }

    // Removes the records that match, keeping the others in order; gives the
    // number removed. The kept records are copied into the slots after put,
    // which never overtakes a record not yet read.
    template <typename Match>
    uint32_t removeIf(Match match) {
        uint32_t oldPut = put_, end = put_;
        for (uint32_t n = get_; n != oldPut; ++n) {
            const EventRecord record = slots_[n & 0xFF];
            if (!match(record)) slots_[end++ & 0xFF] = record;
        }
        uint32_t removed = (oldPut - get_) - (end - oldPut);
        get_ = oldPut;
        put_ = end;
        return removed;
    }

    void clear() { get_ = put_ = 0; }

private:
    EventRecord slots_[kCapacity];
    uint32_t put_ = 0;
    uint32_t get_ = 0;
};
