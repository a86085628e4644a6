// The hot-key table and the command that fills it.
#include "events/hot_keys.h"

#include "events/event_filter.h"
#include "runtime/module.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

struct HotKey {
    int rawkey;
    int modifier;
    EventRecord record;
};

HotKey table[kMaxHotKeys];
int count = 0;

HotKey* find(int rawkey, int modifier) {
    for (int i = 0; i < count; ++i)
        if (table[i].rawkey == rawkey && table[i].modifier == modifier) return &table[i];
    return nullptr;
}

} // namespace

void bindHotKey(int rawkey, int modifier, const EventRecord& record) {
    if (HotKey* bound = find(rawkey, modifier)) {
        bound->record = record;
        return;
    }
    if (count == kMaxHotKeys) runtimeError("Too many hotkey events registered");
    table[count++] = HotKey{rawkey, modifier, record};
}

bool lookupHotKey(int rawkey, int modifier) {
    HotKey* bound = find(rawkey, modifier);
    if (!bound) return false;
    postEvent(bound->record);
    return true;
}

void clearHotKeys() { count = 0; }

int hotKeyCount() { return count; }

extern "C" __attribute__((stdcall)) void HotKeyEvent(int rawkey, int modifier, int id, int data, int x, int y, int z,
                                                     int source) {
    bindHotKey(rawkey, modifier, EventRecord{id, data, x, y, z, source});
}

KR_COMMAND(Runtime, "HotKeyEvent%rawkey%modifier%ev_id%ev_data=0%ev_x=0%ev_y=0%ev_z=0%ev_source=0", HotKeyEvent);
