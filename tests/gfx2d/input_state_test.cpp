// The keyboard and mouse state kept by K2DEventFilter and read by the polling
// commands: hit counts, the character and button queues, flushes, the wheel.
// Records enter the chain at the filter, as the catch filter hands them on.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "events/que_filter.h"
#include "gfx2d/k2d_event_filter.h"
#include "support/event_commands.h"
#include "support/program_harness.h"

namespace {

void raise(int id, int data = 0) {
    EventRecord r;
    r.id = id;
    r.data = data;
    k2dEventFilter().filterEvent(r);
}

// Runs the body as a program and gives the values it noted, in order.
std::vector<int> noted(const std::function<void(std::vector<int>&)>& body) {
    std::vector<int> values;
    RunRecord run = runAsProgram([&] { body(values); });
    EXPECT_TRUE(run.finished) << run.error();
    return values;
}

using V = std::vector<int>;

} // namespace

TEST(InputState, KeyHitsCountPressesAndClearOnRead) {
    V got = noted([](V& v) {
        for (int i = 0; i < 2; ++i) {
            raise(EVENT_KEY_DOWN, 30);
            raise(EVENT_KEY_UP, 30);
        }
        v = {KeyHit(30), KeyDown(30), KeyHit(30)};
        raise(EVENT_KEY_DOWN, 30 + 128); // extended key
        v.push_back(KeyDown(158));
        v.push_back(KeyDown(256 + 158));
        v.push_back(KeyDown(30));
    });
    EXPECT_EQ(got, (V{2, 0, 0, 1, 1, 0}));
}

TEST(InputState, CharacterQueueKeepsTheFirst32InOrder) {
    V got = noted([](V& v) {
        for (int i = 0; i < 40; ++i) raise(EVENT_KEY_CHAR, 'A' + i);
        while (int c = GetKey()) v.push_back(c);
    });
    V expected;
    for (int i = 0; i < 32; ++i) expected.push_back('A' + i);
    EXPECT_EQ(got, expected);
}

TEST(InputState, ButtonsAreMaskedQueuedAndCounted) {
    V got = noted([](V& v) {
        raise(EVENT_MOUSE_DOWN, 1);
        raise(EVENT_MOUSE_UP, 1);
        raise(EVENT_MOUSE_DOWN, 2);
        raise(EVENT_MOUSE_DOWN, 1);
        v = {MouseHit(5), MouseHit(1), MouseDown(2)}; // 5 & 3 is button 1
        raise(EVENT_MOUSE_UP, 2);
        v.push_back(MouseDown(2));
        for (int i = 0; i < 4; ++i) v.push_back(GetMouse());
    });
    EXPECT_EQ(got, (V{2, 0, 1, 0, 1, 2, 1, 0}));
}

TEST(InputState, FlushKeysLeavesTheMouseAndFlushMouseTheKeys) {
    V got = noted([](V& v) {
        raise(EVENT_KEY_DOWN, 30);
        raise(EVENT_KEY_CHAR, 'a');
        raise(EVENT_MOUSE_DOWN, 1);
        FlushKeys();
        v = {GetKey(), KeyHit(30), KeyDown(30), MouseDown(1), MouseHit(1)};
        raise(EVENT_KEY_DOWN, 31);
        raise(EVENT_MOUSE_DOWN, 2);
        FlushMouse();
        v.insert(v.end(), {GetMouse(), MouseDown(2), MouseHit(2), KeyDown(31)});
    });
    EXPECT_EQ(got, (V{0, 0, 0, 1, 1, 0, 0, 0, 1}));
}

TEST(InputState, WheelTotalAndItsChangeSinceLastAsked) {
    V got = noted([](V& v) {
        raise(EVENT_MOUSE_WHEEL, 2);
        raise(EVENT_MOUSE_WHEEL, 1);
        v = {MouseZ(), MouseZSpeed(), MouseZSpeed()};
        raise(EVENT_MOUSE_WHEEL, -4);
        v.insert(v.end(), {MouseZSpeed(), MouseZ()});
    });
    EXPECT_EQ(got, (V{3, 3, 0, -4, -1}));
}

TEST(InputState, RecordsPassOnToTheQueueUnchanged) {
    V got = noted([](V& v) {
        raise(EVENT_KEY_DOWN, 44);
        v = {WaitEvent(0), EventData()};
    });
    EXPECT_EQ(got, (V{EVENT_KEY_DOWN, 44}));
}

TEST(InputState, EachRunStartsWithNothingPressed) {
    noted([](V&) {
        raise(EVENT_KEY_DOWN, 30);
        raise(EVENT_KEY_CHAR, 'x');
        raise(EVENT_MOUSE_WHEEL, 5);
    });
    V got = noted([](V& v) { v = {KeyDown(30), GetKey(), MouseZ()}; });
    EXPECT_EQ(got, (V{0, 0, 0}));
}

TEST(InputState, FilterSitsBetweenTheCatchFilterAndTheQueue) {
    V got = noted([](V& v) {
        for (KrEventFilter* f = filterChainHead(); f; f = f->successor()) v.push_back(f->priority());
    });
    EXPECT_EQ(got, (V{10, 1, 0}));
}
