// KrTimer, a periodic timer that is also an event source, and KrTimerDriver,
// the module that makes timers on the platform.
//
// Ticks are counted on the platform's timer thread, which posts each new count
// to the main thread; the event driver turns it into an EVENT_TIMER_TICK
// record whose source is the timer.
#pragma once

#include "events/event_source.h"
#include "runtime/module.h"

class KrTimer : public KrEventSource {
public:
    static constexpr const char* kHandleName = "Timer";

    virtual int ticks() = 0; // total ticks since creation or the last reset
    virtual void reset();
    virtual void setPaused(bool paused);

    bool paused() const { return paused_; }

    // The ticks since the previous call (or since creation or reset).
    int ticksSinceLastWait() {
        int n = ticks();
        int result = n - lastRead_;
        lastRead_ = n;
        return result;
    }

protected:
    int lastRead_ = 0;
    bool paused_ = false;
};

class KrTimerDriver : public KrModule {
public:
    // A running timer of that frequency, or null when hertz is not above 0.
    virtual KrTimer* createTimer(float hertz) = 0;
};

KrTimerDriver* currentTimerDriver();
void setCurrentTimerDriver(KrTimerDriver* driver);

// Whole milliseconds between ticks: 1000 / hertz in single precision,
// truncated, at least 1 (a platform timer cannot tick every 0 ms) and at most
// INT_MAX (the platform refuses such a timer, which then never ticks).
int timerPeriod(float hertz);

// True when the handle names a live timer.
bool isLiveTimer(int handle);
