// The keyboard and mouse state kept by K2DEventFilter.
#include "gfx2d/k2d_event_filter.h"

#include <cstring>

namespace {

K2DEventFilter theFilter;

} // namespace

K2DEventFilter& k2dEventFilter() { return theFilter; }

void InputState::clearKeys() {
    std::memset(keyDown, 0, sizeof keyDown);
    std::memset(keyHits, 0, sizeof keyHits);
    characters.clear();
}

void InputState::clearMouse() {
    std::memset(buttonDown, 0, sizeof buttonDown);
    std::memset(buttonHits, 0, sizeof buttonHits);
    buttons.clear();
}

K2DEventFilter::K2DEventFilter() : KrEventFilter(1) { setup("K2DEventFilter"); }

bool K2DEventFilter::startup() {
    state.clearKeys();
    state.clearMouse();
    state.wheel = state.wheelRead = 0;
    state.lastEvent = EventRecord();
    installFilter(this);
    return true;
}

void K2DEventFilter::shutdown() { removeFilter(this); }

void K2DEventFilter::filterEvent(EventRecord& record) {
    switch (record.id) {
    case EVENT_KEY_DOWN:
        state.keyHits[record.data & 0xFF] += 1;
        state.keyDown[record.data & 0xFF] = 1;
        break;
    case EVENT_KEY_UP: state.keyDown[record.data & 0xFF] = 0; break;
    case EVENT_KEY_CHAR: state.characters.push(record.data); break;
    case EVENT_MOUSE_DOWN:
        state.buttonHits[record.data & 3] += 1;
        state.buttonDown[record.data & 3] = 1;
        state.buttons.push(record.data);
        break;
    case EVENT_MOUSE_UP: state.buttonDown[record.data & 3] = 0; break;
    case EVENT_MOUSE_WHEEL: state.wheel += record.data; break;
    }
    passOn(record);
}
