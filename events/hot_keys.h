// Hot keys: key presses bound to event records of the program's choice.
//
// The window procedure that turns key presses into events asks lookupHotKey
// first; a bound press posts a copy of its record instead of the key events.
#pragma once

#include "events/event_record.h"

constexpr int kMaxHotKeys = 100;

// Binds (rawkey, modifier) to the record, replacing an earlier binding of the
// pair; more than kMaxHotKeys pairs is a runtime error.
void bindHotKey(int rawkey, int modifier, const EventRecord& record);

// True when the pair is bound; its record has then been posted.
bool lookupHotKey(int rawkey, int modifier);

void clearHotKeys();
int hotKeyCount();
