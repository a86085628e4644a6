// The keyboard and mouse state kept by K2DEventFilter and read by the polling
// commands: hit counts, the character and button queues, flushes, the wheel.
// Records enter the chain at the filter, as the catch filter hands them on.
#include <gtest/gtest.h>

#include <vector>

#include "support/event_commands.h"
#include "events/que_filter.h"
#include "gfx2d/k2d_event_filter.h"
#include "support/program_harness.h"

namespace {

void raise(int id, int data = 0) {
    EventRecord r;
    r.id = id;
    r.data = data;
    k2dEventFilter().filterEvent(r);
}

} // namespace

TEST(InputState, KeyHitsCountPressesAndClearOnRead) {
    int hits = -1, down = -1, again = -1, downWhileHeld = -1, masked = -1;
    RunRecord run = runAsProgram([&] {
        for (int i = 0; i < 2; ++i) {
            raise(EVENT_KEY_DOWN, 30);
            raise(EVENT_KEY_UP, 30);
        }
        hits = KeyHit(30);
        down = KeyDown(30);
        again = KeyHit(30);
        raise(EVENT_KEY_DOWN, 30 + 128);
        downWhileHeld = KeyDown(158);
        masked = KeyDown(256 + 158);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(hits, 2);
    EXPECT_EQ(down, 0);
    EXPECT_EQ(again, 0);
    EXPECT_EQ(downWhileHeld, 1);
    EXPECT_EQ(masked, 1);
}

TEST(InputState, CharacterQueueKeepsTheFirst32InOrder) {
    std::vector<int> got;
    RunRecord run = runAsProgram([&] {
        for (int i = 0; i < 40; ++i) raise(EVENT_KEY_CHAR, 'A' + i);
        while (int c = GetKey()) got.push_back(c);
    });
    EXPECT_TRUE(run.finished) << run.error();
    ASSERT_EQ(got.size(), 32u);
    for (int i = 0; i < 32; ++i) EXPECT_EQ(got[i], 'A' + i) << "at " << i;
}

TEST(InputState, ButtonsAreMaskedQueuedAndCounted) {
    int hitsOf1 = -1, down2 = -1, up2 = -1, first = -1, second = -1, third = -1, none = -1;
    RunRecord run = runAsProgram([&] {
        raise(EVENT_MOUSE_DOWN, 1);
        raise(EVENT_MOUSE_UP, 1);
        raise(EVENT_MOUSE_DOWN, 2);
        raise(EVENT_MOUSE_DOWN, 1);
        hitsOf1 = MouseHit(5); // 5 & 3 is button 1
        down2 = MouseDown(2);
        raise(EVENT_MOUSE_UP, 2);
        up2 = MouseDown(2);
        first = GetMouse(), second = GetMouse(), third = GetMouse(), none = GetMouse();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(hitsOf1, 2);
    EXPECT_EQ(down2, 1);
    EXPECT_EQ(up2, 0);
    EXPECT_EQ(first, 1);
    EXPECT_EQ(second, 2);
    EXPECT_EQ(third, 1);
    EXPECT_EQ(none, 0);
}

TEST(InputState, FlushKeysLeavesTheMouseAndFlushMouseTheKeys) {
    int charAfterKeys = -1, hitAfterKeys = -1, buttonAfterKeys = -1, mouseHitAfterKeys = -1;
    int buttonAfterMouse = -1, downAfterMouse = -1, keyAfterMouse = -1;
    RunRecord run = runAsProgram([&] {
        raise(EVENT_KEY_DOWN, 30);
        raise(EVENT_KEY_CHAR, 'a');
        raise(EVENT_MOUSE_DOWN, 1);
        FlushKeys();
        charAfterKeys = GetKey();
        hitAfterKeys = KeyHit(30);
        buttonAfterKeys = MouseDown(1);
        mouseHitAfterKeys = MouseHit(1);
        raise(EVENT_KEY_DOWN, 31);
        raise(EVENT_MOUSE_DOWN, 2);
        FlushMouse();
        buttonAfterMouse = GetMouse();
        downAfterMouse = MouseDown(2);
        keyAfterMouse = KeyDown(31);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(charAfterKeys, 0);
    EXPECT_EQ(hitAfterKeys, 0);
    EXPECT_EQ(buttonAfterKeys, 1);
    EXPECT_EQ(mouseHitAfterKeys, 1);
    EXPECT_EQ(buttonAfterMouse, 0);
    EXPECT_EQ(downAfterMouse, 0);
    EXPECT_EQ(keyAfterMouse, 1);
}

TEST(InputState, WheelTotalAndItsChangeSinceLastAsked) {
    int z = -1, speed = -1, still = -99, back = 99;
    RunRecord run = runAsProgram([&] {
        raise(EVENT_MOUSE_WHEEL, 2);
        raise(EVENT_MOUSE_WHEEL, 1);
        z = MouseZ();
        speed = MouseZSpeed();
        still = MouseZSpeed();
        raise(EVENT_MOUSE_WHEEL, -4);
        back = MouseZSpeed();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(z, 3);
    EXPECT_EQ(speed, 3);
    EXPECT_EQ(still, 0);
    EXPECT_EQ(back, -4);
}

TEST(InputState, RecordsPassOnToTheQueueUnchanged) {
    int id = -1, data = -1;
    RunRecord run = runAsProgram([&] {
        raise(EVENT_KEY_DOWN, 44);
        id = WaitEvent(0);
        data = EventData();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(id, EVENT_KEY_DOWN);
    EXPECT_EQ(data, 44);
}

TEST(InputState, EachRunStartsWithNothingPressed) {
    runAsProgram([] {
        raise(EVENT_KEY_DOWN, 30);
        raise(EVENT_KEY_CHAR, 'x');
        raise(EVENT_MOUSE_WHEEL, 5);
    });
    int down = -1, key = -1, z = -1;
    RunRecord run = runAsProgram([&] {
        down = KeyDown(30);
        key = GetKey();
        z = MouseZ();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(down, 0);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(z, 0);
}

TEST(InputState, FilterSitsBetweenTheCatchFilterAndTheQueue) {
    std::vector<int> priorities;
    RunRecord run = runAsProgram([&] {
        for (KrEventFilter* f = filterChainHead(); f; f = f->successor()) priorities.push_back(f->priority());
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(priorities, (std::vector<int>{10, 1, 0}));
}
