// Win32Timer on the multimedia periodic timer, and Win32TimerDriver, which
// makes them and holds the system timer resolution at 1 ms while it runs.
//
// The tick callback runs on the multimedia timer thread: it only increments
// the count and posts it to the main thread. Timers are killed synchronously,
// so no callback touches a timer after it is freed.
#include <windows.h>

#include <mmsystem.h>

#include <atomic>

#include "events/event_record.h"
#include "events/timer.h"

namespace {

DWORD mainThreadId = 0;

class Win32Timer : public KrTimer {
public:
    explicit Win32Timer(int period) : period_(period) { start(); }

    void free() override {
        stop();
        KrTimer::free();
    }

    int ticks() override { return count_.load(std::memory_order_relaxed); }

    void reset() override {
        count_.store(0, std::memory_order_relaxed);
        KrTimer::reset();
    }

    void setPaused(bool paused) override {
        if (paused == ownPaused_) return;
        ownPaused_ = paused;
        if (paused)
            stop();
        else
            start();
        KrTimer::setPaused(paused);
    }

private:
    static void CALLBACK tick(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
        auto* timer = reinterpret_cast<Win32Timer*>(user);
        int count = timer->count_.fetch_add(1, std::memory_order_relaxed) + 1;
        PostThreadMessageA(mainThreadId, kMessageTimerTick, static_cast<WPARAM>(count),
                           static_cast<LPARAM>(toHandle(timer)));
    }

    // A platform id of 0 (the timer could not start) is kept: the timer
    // then never ticks.
    void start() {
        id_ = timeSetEvent(static_cast<UINT>(period_), 0, &Win32Timer::tick, reinterpret_cast<DWORD_PTR>(this),
                           TIME_PERIODIC | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
    }

    void stop() {
        if (id_ != 0) timeKillEvent(id_);
        id_ = 0;
    }

    int period_;
    std::atomic<int> count_{0};
    bool ownPaused_ = false;
    UINT id_ = 0;
};

class Win32TimerDriver : public KrTimerDriver {
public:
    Win32TimerDriver() { setup("Win32TimerDriver"); }

    bool startup() override {
        mainThreadId = GetCurrentThreadId();
        timeBeginPeriod(1);
        setCurrentTimerDriver(this);
        return true;
    }

    void shutdown() override {
        if (currentTimerDriver() == this) setCurrentTimerDriver(nullptr);
        timeEndPeriod(1);
    }

    KrTimer* createTimer(float hertz) override {
        if (!(hertz > 0.0f)) return nullptr;
        auto* timer = new Win32Timer(timerPeriod(hertz));
        addResource(timer);
        return timer;
    }
};

Win32TimerDriver theTimerDriver;

} // namespace
