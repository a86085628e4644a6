// K2DEventFilter (priority 1): keeps the keyboard and mouse state that the
// polling commands read, from every record that passes through the chain.
//
// One keyboard and one mouse for the whole program, cleared when the module
// starts and otherwise only by FlushKeys and FlushMouse.
#pragma once

#include <cstdint>

#include "events/event_filter.h"

// A ring of 32 ints with counters that only grow; full at 32.
struct InputRing {
    int slots[32];
    uint32_t put = 0;
    uint32_t get = 0;

    bool full() const { return put - get >= 32; }
    void push(int value) {
        if (!full()) slots[put++ & 31] = value;
    }
    // The oldest value, removed; 0 when empty.
    int pop() { return put == get ? 0 : slots[get++ & 31]; }
    bool empty() const { return put == get; }
    void clear() { put = get = 0; }
};

struct InputState {
    uint8_t keyDown[256];
    int keyHits[256];
    InputRing characters;
    uint8_t buttonDown[4];
    int buttonHits[4];
    InputRing buttons;
    int wheel;
    int wheelRead;
    EventRecord lastEvent; // filled by WaitEvent

    void clearKeys();
    void clearMouse();
};

class K2DEventFilter : public KrEventFilter {
public:
    K2DEventFilter();

    bool startup() override;
    void shutdown() override;
    void filterEvent(EventRecord& record) override;

    InputState state;
};

K2DEventFilter& k2dEventFilter();
inline InputState& inputState() { return k2dEventFilter().state; }
