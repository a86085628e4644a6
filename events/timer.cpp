// KrTimer's shared parts, the current timer driver and the timer commands.
#include "events/timer.h"

#include <climits>

#include "events/que_filter.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

KrTimerDriver* currentDriver = nullptr;

} // namespace

void KrTimer::reset() { lastRead_ = 0; }

void KrTimer::setPaused(bool paused) { paused_ = paused; }

KrTimerDriver* currentTimerDriver() { return currentDriver; }

void setCurrentTimerDriver(KrTimerDriver* driver) { currentDriver = driver; }

int timerPeriod(float hertz) {
    volatile float period = 1000.0f / hertz;
    // A period beyond the int range (a frequency of almost nothing) stays as
    // long as it can be; converting it as it is would give INT_MIN, and with
    // that a tick every millisecond.
    if (!(period < 2147483648.0f)) return INT_MAX;
    int ms = static_cast<int>(period);
    return ms < 1 ? 1 : ms;
}

bool isLiveTimer(int handle) {
    KrObject* object = liveObject(handle);
    return object && dynamic_cast<KrTimer*>(object);
}

extern "C" {

__attribute__((stdcall)) int CreateTimer(float hertz) {
    KrTimerDriver* driver = currentTimerDriver();
    if (!driver) return 0;
    return toHandle(driver->createTimer(hertz));
}

__attribute__((stdcall)) void FreeTimer(int timer) {
    if (timer == 0) return;
    castHandle<KrTimer>(timer)->release();
}

__attribute__((stdcall)) int TimerTicks(int timer) { return castHandle<KrTimer>(timer)->ticks(); }

// Returns at once with the missed ticks when the program is late; otherwise
// sleeps on the event queue, discarding what it takes, until the next tick.
__attribute__((stdcall)) int WaitTimer(int timer) {
    KrTimer* t = castHandle<KrTimer>(timer);
    if (t->paused()) runtimeError("WaitTimer used with paused timer");
    pollEvents();
    for (;;) {
        if (int r = t->ticksSinceLastWait()) return r;
        nextEvent(nullptr, -1, true);
    }
}

__attribute__((stdcall)) void ResetTimer(int timer) { castHandle<KrTimer>(timer)->reset(); }

__attribute__((stdcall)) void PauseTimer(int timer) { castHandle<KrTimer>(timer)->setPaused(true); }

__attribute__((stdcall)) void ResumeTimer(int timer) { castHandle<KrTimer>(timer)->setPaused(false); }

}

KR_COMMAND(Runtime, "%CreateTimer#hertz", CreateTimer);
KR_COMMAND(Runtime, "FreeTimer%timer", FreeTimer);
KR_COMMAND(Runtime, "%TimerTicks%timer", TimerTicks);
KR_COMMAND(Runtime, "%WaitTimer%timer", WaitTimer);
KR_COMMAND(Runtime, "ResetTimer%timer", ResetTimer);
KR_COMMAND(Runtime, "PauseTimer%timer", PauseTimer);
KR_COMMAND(Runtime, "ResumeTimer%timer", ResumeTimer);
