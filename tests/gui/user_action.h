// What the user does, from a thread of its own while the program waits: the
// platform hands the thread's calls to the program's thread as the pump
// dispatches, so the pump keeps running until the thread has finished.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "support/event_commands.h"

// The first event of that id, with its data, position and source; id 0 when
// none came within two seconds.
struct UserEvent {
    int id = 0, data = 0, x = 0, y = 0, source = 0;
};

inline UserEvent byUser(int id, const std::function<void()>& act) {
    std::atomic<bool> done = false;
    std::thread user([&] {
        act();
        done = true;
    });
    UserEvent got;
    for (int i = 0; !done || (i < 40 && got.id == 0); ++i)
        if (WaitEvent(50) == id && got.id == 0) got = {id, EventData(), EventX(), EventY(), EventSource()};
    user.join();
    return got;
}
