// Timers on the multimedia timer: the beat WaitTimer keeps, missed ticks,
// pause and resume, reset, release, and the handle checks. Intervals are
// checked only loosely: the tests share a loaded machine.
#include <gtest/gtest.h>

#include <thread>

#include "support/event_commands.h"
#include "events/que_filter.h"
#include "events/timer.h"
#include "platform/clock.h"
#include "support/program_harness.h"

namespace {

void sleepMs(int ms) { std::this_thread::sleep_for(std::chrono::milliseconds(ms)); }

} // namespace

TEST(Timer, NoTimerForFrequenciesNotAboveZero) {
    int zero = -1, negative = -1;
    RunRecord run = runAsProgram([&] {
        zero = CreateTimer(0.0f);
        negative = CreateTimer(-5.0f);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(zero, 0);
    EXPECT_EQ(negative, 0);
}

TEST(Timer, PeriodIsWholeMillisecondsAndNeverZero) {
    EXPECT_EQ(timerPeriod(60.0f), 16);
    EXPECT_EQ(timerPeriod(30.0f), 33);
    EXPECT_EQ(timerPeriod(1000.0f), 1);
    EXPECT_EQ(timerPeriod(5000.0f), 1);
}

TEST(Timer, WaitTimerBlocksForOneTickThenReportsMissedTicks) {
    int first = -1, late = -1, ticksBefore = -1, ticksAfter = -1;
    uint32_t firstWait = 0, busy = 0;
    RunRecord run = runAsProgram([&] {
        int timer = CreateTimer(10.0f);
        ASSERT_NE(timer, 0);
        uint32_t t0 = platform::milliSecs();
        first = WaitTimer(timer);
        firstWait = platform::milliSecs() - t0;
        uint32_t t1 = platform::milliSecs();
        ticksBefore = TimerTicks(timer);
        sleepMs(350);
        busy = platform::milliSecs() - t1;
        late = WaitTimer(timer);
        ticksAfter = TimerTicks(timer);
        FreeTimer(timer);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(first, 1);
    EXPECT_GE(firstWait, 50u) << "WaitTimer did not wait for the first tick";
    EXPECT_LT(firstWait, 2000u);
    // 350 ms at 10 Hz is three ticks; a slow machine may add one.
    EXPECT_GE(late, 3);
    EXPECT_LE(late, static_cast<int>(busy / 100) + 1);
    EXPECT_EQ(late, ticksAfter - ticksBefore);
}

TEST(Timer, TicksCountFromCreationUntilResetAndWaitCountsFromReset) {
    int beforeReset = -1, afterReset = -1, waited = -1;
    RunRecord run = runAsProgram([&] {
        int timer = CreateTimer(50.0f);
        sleepMs(200);
        beforeReset = TimerTicks(timer);
        ResetTimer(timer);
        afterReset = TimerTicks(timer);
        waited = WaitTimer(timer);
        EXPECT_LE(waited, TimerTicks(timer));
        FreeTimer(timer);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_GE(beforeReset, 3);
    EXPECT_LE(afterReset, 1);
    EXPECT_GE(waited, 1);
    EXPECT_LT(waited, beforeReset);
}

TEST(Timer, PausedTimerDoesNotTickAndResumesFromItsCount) {
    int atPause = -1, whilePaused = -1, resumedWait = -1, afterResume = -1;
    RunRecord run = runAsProgram([&] {
        int timer = CreateTimer(50.0f);
        sleepMs(100);
        PauseTimer(timer);
        PauseTimer(timer);
        atPause = TimerTicks(timer);
        sleepMs(200);
        whilePaused = TimerTicks(timer);
        // Forget the ticks before the pause, so that the next wait needs a new one.
        ResetTimer(timer);
        ResumeTimer(timer);
        resumedWait = WaitTimer(timer);
        afterResume = TimerTicks(timer);
        FreeTimer(timer);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(whilePaused, atPause);
    EXPECT_GT(atPause, 0);
    EXPECT_GE(resumedWait, 1);
    EXPECT_GE(afterResume, resumedWait);
}

TEST(Timer, FreeingATimerRemovesItsPendingTick) {
    int pending = -1, afterFree = -1, source = -1, timerHandle = 0;
    RunRecord run = runAsProgram([&] {
        int other = CreateTimer(100.0f);
        int timer = timerHandle = CreateTimer(100.0f);
        sleepMs(100);
        PauseTimer(other);
        pending = PeekEvent();
        FlushEvents(EVENT_TIMER_TICK, other);
        WaitEvent(0);
        source = EventSource();
        sleepMs(50);
        FreeTimer(timer);
        afterFree = PeekEvent();
        FreeTimer(other);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(pending, EVENT_TIMER_TICK);
    EXPECT_EQ(source, timerHandle);
    EXPECT_EQ(afterFree, 0);
}

TEST(Timer, TimerAbove1000HertzStillTicks) {
    int ticks = -1;
    RunRecord run = runAsProgram([&] {
        int timer = CreateTimer(5000.0f);
        sleepMs(100);
        ticks = TimerTicks(timer);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_GT(ticks, 10);
}

TEST(Timer, BadHandlesAreErrorsAndZeroIsIgnoredByFree) {
    RunRecord freeZero = runAsProgram([] { FreeTimer(0); });
    EXPECT_TRUE(freeZero.finished) << freeZero.error();
    int notATimer = 0x1234;
    RunRecord ticks = runAsProgram([&] { TimerTicks(notATimer); });
    EXPECT_EQ(ticks.error(), "Invalid Timer handle");
    RunRecord freed = runAsProgram([] {
        int timer = CreateTimer(10.0f);
        FreeTimer(timer);
        FreeTimer(timer);
    });
    EXPECT_EQ(freed.error(), "Invalid Timer handle");
}

TEST(Timer, TimersLeftRunningAreReleasedWhenTheRunEnds) {
    size_t before = liveObjects().size();
    RunRecord run = runAsProgram([] {
        CreateTimer(100.0f);
        CreateTimer(200.0f);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(liveObjects().size(), before);
}
