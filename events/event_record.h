// EventRecord, the one value that every event travels as, and the event ids.
//
// The high bits of an id group the kinds: an id whose low byte is 0 acts as a
// group mask when flushing (0x200 is every mouse event).
#pragma once

#include <cstdint>

struct EventRecord {
    int32_t id = 0; // 0: no event
    int32_t data = 0;
    int32_t x = 0;
    int32_t y = 0;
    int32_t z = 0;
    int32_t source = 0; // handle of the raising event source, or 0
};

enum EventId : int32_t {
    EVENT_KEY_DOWN = 0x101,
    EVENT_KEY_UP = 0x102,
    EVENT_KEY_CHAR = 0x103,
    EVENT_MOUSE_DOWN = 0x201,
    EVENT_MOUSE_UP = 0x202,
    EVENT_MOUSE_MOVE = 0x203,
    EVENT_MOUSE_WHEEL = 0x204,
    EVENT_MOUSE_ENTER = 0x205,
    EVENT_MOUSE_LEAVE = 0x206,
    EVENT_GADGET_ACTION = 0x401,
    EVENT_WINDOW_MOVE = 0x801,
    EVENT_WINDOW_SIZE = 0x802,
    EVENT_WINDOW_CLOSE = 0x803,
    EVENT_WINDOW_ACTIVATE = 0x804,
    EVENT_MENU_ACTION = 0x1001,
    EVENT_APP_SUSPEND = 0x2001,
    EVENT_APP_RESUME = 0x2002,
    EVENT_MODAL_BEGIN = 0x2004,
    EVENT_MODAL_END = 0x2005,
    EVENT_TIMER_TICK = 0x4001,
    EVENT_DEBUG_STOP = 0x40000001,
    EVENT_DEBUG_RUN = 0x40000002,
    EVENT_DEBUG_END = 0x40000003,
};

// The thread messages that other threads post to the main thread: a debugger
// host's stop, continue and end requests, and a timer's tick.
enum EventThreadMessage : unsigned {
    kMessageDebugStop = 0x401,
    kMessageDebugRun = 0x402,
    kMessageDebugEnd = 0x403,
    kMessageTimerTick = 0x404,
};
