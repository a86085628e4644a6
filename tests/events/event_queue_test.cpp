// The queue filter's rules: capacity, coalescing, the tick queue, suspend and
// resume, flushing by kind and source, and the commands that read the queue.
#include <gtest/gtest.h>

#include <vector>

#include "support/event_commands.h"
#include "events/que_filter.h"
#include "support/program_harness.h"

namespace {

// Gives a record to the queue filter as the chain would.
void queue(int id, int data = 0, int x = 0, int y = 0, int source = 0) {
    EventRecord r;
    r.id = id;
    r.data = data;
    r.x = x;
    r.y = y;
    r.source = source;
    queFilter().filterEvent(r);
}

struct Taken {
    int id, data, x, source;
    bool operator==(const Taken&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Taken& t) {
    return out << "{id " << std::hex << t.id << std::dec << " data " << t.data << " x " << t.x << " source "
               << t.source << "}";
}

std::vector<Taken> drain() {
    std::vector<Taken> out;
    EventRecord r;
    while (takeEvent(&r, 0, true)) out.push_back({r.id, r.data, r.x, r.source});
    return out;
}

} // namespace

TEST(EventQueue, Holds256RecordsAndDropsTheNextUntilOneIsTaken) {
    std::vector<int> data;
    RunRecord run = runAsProgram([&] {
        for (int i = 0; i < 257; ++i) queue(EVENT_GADGET_ACTION, i);
        EXPECT_EQ(queFilter().mainQueue.count(), 256u);
        EventRecord r;
        ASSERT_EQ(takeEvent(&r, 0, true), EVENT_GADGET_ACTION);
        EXPECT_EQ(r.data, 0);
        queue(EVENT_GADGET_ACTION, 1000);
        queue(EVENT_GADGET_ACTION, 1001); // full again: dropped
        for (const Taken& t : drain()) data.push_back(t.data);
    });
    EXPECT_TRUE(run.finished) << run.error();
    ASSERT_EQ(data.size(), 256u);
    for (int i = 0; i < 255; ++i) ASSERT_EQ(data[i], i + 1) << "at " << i;
    EXPECT_EQ(data[255], 1000);
}

TEST(EventQueue, MouseMotionOfOneSourceCoalescesOnlyAtTheQueueEnd) {
    std::vector<Taken> got;
    RunRecord run = runAsProgram([&] {
        queue(EVENT_MOUSE_MOVE, 0, 1, 1, 7);
        queue(EVENT_MOUSE_MOVE, 0, 2, 2, 7);
        queue(EVENT_MOUSE_MOVE, 0, 3, 3, 8); // another source
        queue(EVENT_KEY_DOWN, 30, 0, 0, 8);
        queue(EVENT_MOUSE_MOVE, 0, 4, 4, 8);
        queue(EVENT_MOUSE_MOVE, 0, 5, 5, 8);
        got = drain();
    });
    EXPECT_TRUE(run.finished) << run.error();
    std::vector<Taken> expected = {{EVENT_MOUSE_MOVE, 0, 2, 7},
                                   {EVENT_MOUSE_MOVE, 0, 3, 8},
                                   {EVENT_KEY_DOWN, 30, 0, 8},
                                   {EVENT_MOUSE_MOVE, 0, 5, 8}};
    EXPECT_EQ(got, expected);
}

TEST(EventQueue, OneTickPerTimerWithTheLatestCountAfterEveryMainRecord) {
    std::vector<Taken> got;
    RunRecord run = runAsProgram([&] {
        queue(EVENT_TIMER_TICK, 1, 0, 0, 100);
        queue(EVENT_TIMER_TICK, 1, 0, 0, 200);
        queue(EVENT_TIMER_TICK, 2, 0, 0, 100);
        queue(EVENT_TIMER_TICK, 5, 0, 0, 100);
        queue(EVENT_WINDOW_CLOSE, 0, 0, 0, 300);
        got = drain();
    });
    EXPECT_TRUE(run.finished) << run.error();
    std::vector<Taken> expected = {{EVENT_WINDOW_CLOSE, 0, 0, 300},
                                   {EVENT_TIMER_TICK, 5, 0, 100},
                                   {EVENT_TIMER_TICK, 1, 0, 200}};
    EXPECT_EQ(got, expected);
}

TEST(EventQueue, SuspendAndResumeAreQueuedOncePerChange) {
    std::vector<Taken> got;
    bool haltedAfterSuspend = true;
    RunRecord run = runAsProgram([&] {
        queue(EVENT_APP_RESUME); // not suspended: dropped
        queue(EVENT_APP_SUSPEND);
        queue(EVENT_APP_SUSPEND); // already suspended: dropped
        haltedAfterSuspend = eventFlags().halted;
        queue(EVENT_APP_RESUME);
        queue(EVENT_APP_RESUME);
        got = drain();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_FALSE(haltedAfterSuspend) << "suspension halts only with AutoSuspend";
    std::vector<Taken> expected = {{EVENT_APP_SUSPEND, 0, 0, 0}, {EVENT_APP_RESUME, 0, 0, 0}};
    EXPECT_EQ(got, expected);
}

// Id 0 means "no event": a record carrying it (a hot key bound to id 0) would
// sit at the head of the queue looking empty, hiding everything behind it
// from PeekEvent, and no flush removes ids below 0x100.
TEST(EventQueue, RecordWithoutAnIdIsNotQueued) {
    int peeked = -1;
    std::vector<Taken> got;
    RunRecord run = runAsProgram([&] {
        queue(0, 5, 0, 0, 7);
        queue(EVENT_WINDOW_CLOSE, 1);
        peeked = PeekEvent();
        FlushEvents(-1, 0);
        queue(0, 6);
        queue(EVENT_TIMER_TICK, 2, 0, 0, 9);
        got = drain();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(peeked, EVENT_WINDOW_CLOSE);
    EXPECT_EQ(got, (std::vector<Taken>{{EVENT_TIMER_TICK, 2, 0, 9}}));
}

TEST(EventQueue, FlushByKindGroupAndSourceKeepsTheOthersInOrder) {
    std::vector<Taken> afterGroup, afterExact, afterSource;
    RunRecord run = runAsProgram([&] {
        auto fill = [] {
            queue(EVENT_KEY_DOWN, 1, 0, 0, 10);
            queue(EVENT_MOUSE_DOWN, 2, 0, 0, 10);
            queue(EVENT_MOUSE_MOVE, 3, 0, 0, 20);
            queue(EVENT_WINDOW_CLOSE, 4, 0, 0, 20);
            queue(EVENT_MOUSE_UP, 5, 0, 0, 10);
            queue(0x50, 6, 0, 0, 10); // below 0x100: no flush of kind -1 takes it
            queue(EVENT_GADGET_ACTION, 7, 0, 0, 30);
            queue(EVENT_TIMER_TICK, 8, 0, 0, 10);
        };
        fill();
        FlushEvents(0x200, 0);
        afterGroup = drain();
        fill();
        FlushEvents(EVENT_MOUSE_MOVE, 0);
        afterExact = drain();
        fill();
        FlushEvents(-1, 10);
        afterSource = drain();
    });
    EXPECT_TRUE(run.finished) << run.error();
    std::vector<Taken> group = {{EVENT_KEY_DOWN, 1, 0, 10}, {EVENT_WINDOW_CLOSE, 4, 0, 20}, {0x50, 6, 0, 10},
                                {EVENT_GADGET_ACTION, 7, 0, 30}, {EVENT_TIMER_TICK, 8, 0, 10}};
    EXPECT_EQ(afterGroup, group);
    std::vector<Taken> exact = {{EVENT_KEY_DOWN, 1, 0, 10},     {EVENT_MOUSE_DOWN, 2, 0, 10},
                                {EVENT_WINDOW_CLOSE, 4, 0, 20}, {EVENT_MOUSE_UP, 5, 0, 10},
                                {0x50, 6, 0, 10},               {EVENT_GADGET_ACTION, 7, 0, 30},
                                {EVENT_TIMER_TICK, 8, 0, 10}};
    EXPECT_EQ(afterExact, exact);
    std::vector<Taken> bySource = {{EVENT_MOUSE_MOVE, 3, 0, 20}, {EVENT_WINDOW_CLOSE, 4, 0, 20},
                                   {0x50, 6, 0, 10}, {EVENT_GADGET_ACTION, 7, 0, 30}};
    EXPECT_EQ(afterSource, bySource);
}

TEST(EventQueue, FlushOfAFullQueueKeepsTheSurvivorsInOrder) {
    std::vector<int> data;
    RunRecord run = runAsProgram([&] {
        for (int i = 0; i < 256; ++i) queue(i % 2 ? EVENT_KEY_UP : EVENT_MOUSE_UP, i);
        FlushEvents(0x200, 0);
        for (const Taken& t : drain()) data.push_back(t.data);
    });
    EXPECT_TRUE(run.finished) << run.error();
    ASSERT_EQ(data.size(), 128u);
    for (int i = 0; i < 128; ++i) ASSERT_EQ(data[i], 2 * i + 1) << "at " << i;
}

TEST(EventQueue, WaitEventFillsTheCurrentEventAndPeekLeavesIt) {
    std::vector<int> got;
    RunRecord run = runAsProgram([&] {
        EventRecord r;
        r.id = EVENT_MOUSE_DOWN;
        r.data = 2, r.x = 11, r.y = 12, r.z = 4, r.source = 99;
        queFilter().filterEvent(r);
        queue(EVENT_WINDOW_CLOSE);
        got = {WaitEvent(-1), PeekEvent(), EventID(), EventData(), EventX(), EventY(), EventZ(), EventSource()};
        WaitEvent(-1);
        // A wait that times out clears the current event.
        got.insert(got.end(), {WaitEvent(0), EventID()});
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(got, (std::vector<int>{EVENT_MOUSE_DOWN, EVENT_WINDOW_CLOSE, EVENT_MOUSE_DOWN, 2, 11, 12, 4, 99, 0, 0}));
}

TEST(EventQueue, DebugEndRecordEndsTheProgramAtItsNextPoll) {
    bool afterPoll = false;
    RunRecord run = runAsProgram([&] {
        queue(EVENT_DEBUG_END);
        pollEvents();
        afterPoll = true;
    });
    EXPECT_FALSE(run.finished);
    EXPECT_FALSE(afterPoll);
    EXPECT_TRUE(run.errors.empty()) << run.error();
}

TEST(EventQueue, ModalLoopRecordsStopPollingFromPumping) {
    bool inLoop = false, afterEnd = true;
    RunRecord run = runAsProgram([&] {
        queue(EVENT_MODAL_BEGIN);
        EXPECT_EQ(WaitEvent(0), EVENT_MODAL_BEGIN);
        inLoop = eventFlags().inModalLoop;
        // While the pump sits in a modal loop, polling does not enter it: an
        // end request waiting in the queue is not acted on by a poll.
        eventFlags().endRequested = eventFlags().halted = true;
        pollEvents();
        eventFlags().endRequested = eventFlags().halted = false;
        queue(EVENT_MODAL_END);
        EXPECT_EQ(WaitEvent(0), EVENT_MODAL_END);
        afterEnd = eventFlags().inModalLoop;
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_TRUE(inLoop);
    EXPECT_FALSE(afterEnd);
}

TEST(EventQueue, SecondRunStartsWithEmptyQueuesAndNoHalt) {
    runAsProgram([] {
        queue(EVENT_GADGET_ACTION);
        AutoSuspend(1);
        queue(EVENT_APP_SUSPEND);
    });
    int peeked = -1;
    RunRecord run = runAsProgram([&] { peeked = PeekEvent(); });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(peeked, 0);
}
