// The pump on its own fiber, seen from the program: records raised by a window
// procedure during dispatch are delivered and pause the procedure, records
// raised during the program's own calls are dropped, other threads stop, run
// and end the program by posting thread messages, and an error raised inside
// a window procedure ends the run on the program's side.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>
#include <thread>

#include "support/event_commands.h"
#include "events/hot_keys.h"
#include "events/que_filter.h"
#include "events/timer.h"
#include "runtime/program_run.h"
#include "runtime/runtime_error.h"
#include "support/program_harness.h"

namespace {

constexpr UINT kRaise = WM_APP + 1;  // wParam id, lParam data
constexpr UINT kHotKey = WM_APP + 2; // wParam rawkey, lParam modifier
constexpr UINT kFail = WM_APP + 3;   // a runtime error inside the procedure
constexpr UINT kEnd = WM_APP + 4;    // End inside the procedure
constexpr UINT kFreeTimer = WM_APP + 5; // wParam the timer to release

int raisesReturned = 0;
bool lastHotKeyFound = false;

LRESULT CALLBACK testWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case kRaise: {
        EventRecord r;
        r.id = static_cast<int>(wParam);
        r.data = static_cast<int>(lParam);
        postEvent(r);
        ++raisesReturned;
        return 0;
    }
    case kHotKey: lastHotKeyFound = lookupHotKey(static_cast<int>(wParam), static_cast<int>(lParam)); return 0;
    case kFail: runtimeError("failed in window procedure %d", static_cast<int>(wParam));
    case kEnd: krEnd();
    case kFreeTimer: FreeTimer(static_cast<int>(wParam)); return 0;
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

// A message-only window whose procedure raises what it is told to.
HWND testWindow() {
    static HWND hwnd = [] {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = testWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "VornEventTestWindow";
        RegisterClassA(&wc);
        return CreateWindowExA(0, wc.lpszClassName, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, wc.hInstance, nullptr);
    }();
    return hwnd;
}

void raiseLater(int id, int data) { PostMessageA(testWindow(), kRaise, id, data); }

} // namespace

TEST(Win32Pump, DeliversRecordsRaisedInDispatchAndDropsThoseOfProgramCalls) {
    int first = -1, firstData = -1, second = -1, secondData = -1, left = -1;
    int raisesWhenFirstArrived = -1;
    ASSERT_NE(testWindow(), nullptr);
    RunRecord run = runAsProgram([&] {
        raisesReturned = 0;
        raiseLater(EVENT_GADGET_ACTION, 1);
        raiseLater(EVENT_GADGET_ACTION, 3);
        // Sent, so the procedure runs inside this call on the program's context.
        SendMessageA(testWindow(), kRaise, EVENT_GADGET_ACTION, 2);
        first = WaitEvent(2000);
        firstData = EventData();
        raisesWhenFirstArrived = raisesReturned;
        second = WaitEvent(2000);
        secondData = EventData();
        left = WaitEvent(0);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(first, EVENT_GADGET_ACTION);
    EXPECT_EQ(firstData, 1);
    // The sent raise returned; the dispatched one is still paused in its procedure.
    EXPECT_EQ(raisesWhenFirstArrived, 1);
    EXPECT_EQ(second, EVENT_GADGET_ACTION);
    EXPECT_EQ(secondData, 3);
    EXPECT_EQ(left, 0);
    EXPECT_EQ(raisesReturned, 3);
}

TEST(Win32Pump, HotKeyPostsItsNewestRecordInsteadOfTheKey) {
    int got = -1, data = -1;
    bool unboundFound = true;
    RunRecord run = runAsProgram([&] {
        HotKeyEvent(30, 2, 0x9000, 5, 0, 0, 0, 0);
        HotKeyEvent(30, 2, 0x9001, 6, 0, 0, 0, 0);
        HotKeyEvent(30, 1, 0x9002, 7, 0, 0, 0, 0);
        EXPECT_EQ(hotKeyCount(), 2);
        PostMessageA(testWindow(), kHotKey, 31, 2);
        WaitEvent(0);
        unboundFound = lastHotKeyFound;
        PostMessageA(testWindow(), kHotKey, 30, 2);
        got = WaitEvent(2000);
        data = EventData();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_FALSE(unboundFound);
    EXPECT_EQ(got, 0x9001);
    EXPECT_EQ(data, 6);
}

TEST(Win32Pump, DebuggerStopHaltsThePollUntilRunArrives) {
    std::atomic<bool> stopPosted{false}, runPosted{false};
    bool runPostedWhenPollReturned = false;
    RunRecord run = runAsProgram([&] {
        PeekEvent(); // the thread's message queue exists from here on
        DWORD tid = GetCurrentThreadId();
        std::thread host([&] {
            PostThreadMessageA(tid, kMessageDebugStop, 0, 0);
            PostThreadMessageA(tid, kMessageDebugStop, 0, 0); // already stopped: ignored
            stopPosted = true;
            Sleep(200);
            runPosted = true;
            PostThreadMessageA(tid, kMessageDebugRun, 0, 0);
        });
        while (!stopPosted) Sleep(1);
        KeyDown(1);
        runPostedWhenPollReturned = runPosted;
        host.join();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_TRUE(runPostedWhenPollReturned) << "the poll returned while the debugger had the program stopped";
    EXPECT_EQ(run.stops, 1);
    EXPECT_EQ(run.runs, 1);
}

TEST(Win32Pump, PeekWhileStoppedReturnsWhenTheDebuggerContinues) {
    std::atomic<bool> stopPosted{false}, peekReturned{false};
    int peeked = -1;
    RunRecord run = runAsProgram([&] {
        PeekEvent();
        DWORD tid = GetCurrentThreadId();
        std::thread host([&] {
            PostThreadMessageA(tid, kMessageDebugStop, 0, 0);
            stopPosted = true;
            Sleep(150);
            PostThreadMessageA(tid, kMessageDebugRun, 0, 0);
            // Should the continue not release the wait, this record would.
            for (int i = 0; i < 300 && !peekReturned; ++i) Sleep(10);
            if (!peekReturned) raiseLater(0x9999, 0);
        });
        while (!stopPosted) Sleep(1);
        peeked = PeekEvent();
        peekReturned = true;
        host.join();
        WaitEvent(0);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(peeked, 0);
    EXPECT_EQ(run.runs, 1);
}

TEST(Win32Pump, DebuggerEndEndsAWaitWithoutLimit) {
    bool returned = false;
    RunRecord run = runAsProgram([&] {
        PeekEvent();
        DWORD tid = GetCurrentThreadId();
        std::thread host([tid] {
            Sleep(100);
            PostThreadMessageA(tid, kMessageDebugEnd, 0, 0);
        });
        host.detach();
        WaitEvent(-1);
        returned = true;
    });
    EXPECT_FALSE(run.finished);
    EXPECT_FALSE(returned);
    EXPECT_TRUE(run.errors.empty()) << run.error();
}

TEST(Win32Pump, AutoSuspendHaltsInsideTheWaitUntilReactivation) {
    std::atomic<bool> resumePosted{false};
    int got = -1;
    bool resumePostedWhenReturned = false;
    RunRecord run = runAsProgram([&] {
        AutoSuspend(1);
        raiseLater(EVENT_APP_SUSPEND, 0);
        std::thread other([&] {
            Sleep(200);
            resumePosted = true;
            raiseLater(EVENT_APP_RESUME, 0);
        });
        got = WaitEvent(-1);
        resumePostedWhenReturned = resumePosted;
        other.join();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(got, EVENT_APP_RESUME);
    EXPECT_TRUE(resumePostedWhenReturned);
}

TEST(Win32Pump, ErrorRaisedInAWindowProcedureEndsTheRunOnTheProgramSide) {
    RunRecord failed = runAsProgram([] {
        PostMessageA(testWindow(), kFail, 7, 0);
        WaitEvent(2000);
    });
    EXPECT_FALSE(failed.finished);
    EXPECT_EQ(failed.error(), "failed in window procedure 7");
    EXPECT_EQ(failed.stops, 1);

    RunRecord ended = runAsProgram([] {
        PostMessageA(testWindow(), kEnd, 0, 0);
        WaitEvent(2000);
    });
    EXPECT_FALSE(ended.finished);
    EXPECT_TRUE(ended.errors.empty()) << ended.error();

    // The process and the pump of the next run are unharmed.
    int got = -1;
    RunRecord next = runAsProgram([&] {
        raiseLater(EVENT_WINDOW_CLOSE, 0);
        got = WaitEvent(2000);
    });
    EXPECT_TRUE(next.finished) << next.error();
    EXPECT_EQ(got, EVENT_WINDOW_CLOSE);
}

TEST(Win32Pump, RunsOnAThreadThatIsAlreadyAFiber) {
    int got = -1;
    LPVOID fiber = ConvertThreadToFiber(nullptr);
    ASSERT_NE(fiber, nullptr);
    RunRecord run = runAsProgram([&] {
        raiseLater(EVENT_WINDOW_CLOSE, 0);
        got = WaitEvent(2000);
    });
    EXPECT_TRUE(IsThreadAFiber()) << "the run undid the host's own conversion";
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds" // GetCurrentFiber reads fs:[0x10]
    EXPECT_EQ(GetCurrentFiber(), fiber);
#pragma GCC diagnostic pop
    ConvertFiberToThread();
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(got, EVENT_WINDOW_CLOSE);
}

TEST(Win32Pump, WaitKeyConsumesTheEventsItWaitsThrough) {
    int key = -1, left = -1, hits = -1;
    RunRecord run = runAsProgram([&] {
        raiseLater(EVENT_MOUSE_DOWN, 1);
        raiseLater(EVENT_KEY_CHAR, 'a');
        key = WaitKey();
        left = PeekEvent();
        hits = MouseHit(1);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(key, 'a');
    EXPECT_EQ(left, 0);
    EXPECT_EQ(hits, 1);
}

TEST(Win32Pump, TickOfADeadTimerIsNotQueued) {
    int peeked = -1;
    RunRecord run = runAsProgram([&] {
        PeekEvent();
        int notATimer = 0x1234;
        PostThreadMessageA(GetCurrentThreadId(), kMessageTimerTick, 3, notATimer);
        peeked = PeekEvent();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(peeked, 0);
}

TEST(Win32Pump, SourceReleasedInDispatchWhileHaltedDoesNotWaitOnThePump) {
    bool timerLive = true;
    RunRecord run = runAsProgram([&] {
        PeekEvent();
        int timer = CreateTimer(100.0f);
        DWORD tid = GetCurrentThreadId();
        PostThreadMessageA(tid, kMessageDebugStop, 0, 0);
        PostMessageA(testWindow(), kFreeTimer, timer, 0);
        std::thread host([tid] {
            Sleep(200);
            PostThreadMessageA(tid, kMessageDebugRun, 0, 0);
        });
        KeyDown(1);
        host.join();
        timerLive = isLiveTimer(timer);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_FALSE(timerLive);
    EXPECT_EQ(run.runs, 1);
}
