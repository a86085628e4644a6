// The joystick table and commands driven through a scripted device: axis
// normalisation with device and default ranges, the hat, button hits and
// down flags, the 3 ms sampling rule, failed polls, and the port rules.
#include <gtest/gtest.h>

#include <cstring>

#include "events/joystick_table.h"

extern "C" {
__attribute__((stdcall)) int JoyType(int port);
__attribute__((stdcall)) int JoyDown(int button, int port);
__attribute__((stdcall)) int JoyHit(int button, int port);
__attribute__((stdcall)) float JoyX(int port);
__attribute__((stdcall)) float JoyYaw(int port);
__attribute__((stdcall)) int JoyHat(int port);
__attribute__((stdcall)) int JoyXDir(int port);
__attribute__((stdcall)) void FlushJoy();
}

namespace {

// A device whose state the test sets; polls and acquires can be made to fail.
struct FakeDevice : KrJoyDevice {
    struct Script {
        JoyStateRecord state{};
        bool hasRange[JoyStateRecord::kFields] = {};
        int32_t min[JoyStateRecord::kFields] = {}, max[JoyStateRecord::kFields] = {};
        bool pollFails = false, acquireFixes = false, acquired = false, readFails = false;
        int polls = 0, acquires = 0;
        int type = kJoystick;
    };
    explicit FakeDevice(Script* s) : s(s) {}
    int type() const override { return s->type; }
    bool range(int field, int32_t& minimum, int32_t& maximum) override {
        minimum = s->min[field];
        maximum = s->max[field];
        return s->hasRange[field];
    }
    bool poll() override {
        ++s->polls;
        return !s->pollFails || (s->acquireFixes && s->acquired);
    }
    bool acquire() override {
        ++s->acquires;
        s->acquired = true;
        return s->acquireFixes;
    }
    bool readState(JoyStateRecord& state) override {
        if (s->readFails) return false;
        state = s->state;
        return true;
    }
    Script* s;
};

struct JoystickTableTest : ::testing::Test {
    JoystickTableTest() {
        std::memset(script.state.fields, 0, sizeof script.state.fields);
        centre();
        table.add(std::make_unique<FakeDevice>(&script));
    }
    void centre() {
        for (int& f : script.state.fields) f = 32767;
        for (int i = 0; i < 4; ++i) script.state.fields[JoyStateRecord::kHat0 + i] = -1;
    }
    void press(int deviceButton, bool down) { script.state.buttons[deviceButton] = down ? 0x80 : 0; }
    // Each sample at a time 3 ms after the last, so none is skipped.
    void sample() { table.poll(now += 3); }

    FakeDevice::Script script;
    JoystickTable table;
    uint32_t now = 1000;
};

TEST_F(JoystickTableTest, DefaultRangeCentresAndReachesBothEnds) {
    sample();
    Joystick* joy = table.at(0);
    for (float axis : {joy->x, joy->y, joy->z, joy->u, joy->v}) EXPECT_NEAR(axis, 0.0f, 1e-4f);
    EXPECT_NEAR(joy->pitch, 0.0f, 0.01f);
    script.state.fields[JoyStateRecord::kX] = 0;
    script.state.fields[JoyStateRecord::kRotY] = 0xFFFF;
    sample();
    EXPECT_EQ(joy->x, -1.0f);
    EXPECT_EQ(joy->yaw, 180.0f);
}

TEST_F(JoystickTableTest, EachAxisUsesTheRangeOfItsOwnField) {
    FakeDevice::Script other;
    other.hasRange[JoyStateRecord::kY] = true;
    other.min[JoyStateRecord::kY] = -100;
    other.max[JoyStateRecord::kY] = 100;
    other.hasRange[JoyStateRecord::kRotZ] = true;
    other.min[JoyStateRecord::kRotZ] = 10;
    other.max[JoyStateRecord::kRotZ] = 10; // an empty range
    other.state.fields[JoyStateRecord::kY] = 50;
    other.state.fields[JoyStateRecord::kX] = 50;
    other.state.fields[JoyStateRecord::kRotZ] = 10;
    ASSERT_TRUE(table.add(std::make_unique<FakeDevice>(&other)));
    sample();
    Joystick* joy = table.at(1);
    EXPECT_EQ(joy->ranges[JoyStateRecord::kY].span, 200);
    EXPECT_EQ(joy->ranges[JoyStateRecord::kX].span, 0xFFFF);
    EXPECT_FLOAT_EQ(joy->y, 0.5f);
    EXPECT_NEAR(joy->x, -1.0f + 100.0f / 65535.0f, 1e-6f);
    // An empty range reads as centred rather than dividing by zero.
    EXPECT_EQ(joy->roll, 0.0f);
}

TEST_F(JoystickTableTest, HatInWholeDegreesOrCentred) {
    struct {
        int32_t raw;
        float degrees;
    } cases[] = {{9000, 90.0f}, {0, 0.0f}, {4449, 44.0f}, {4450, 45.0f}, {27000, 270.0f},
                 {-1, -1.0f},  {0x0001FFFF, -1.0f}};
    for (auto c : cases) {
        script.state.fields[JoyStateRecord::kHat0] = c.raw;
        sample();
        EXPECT_EQ(table.at(0)->hat, c.degrees) << "raw " << c.raw;
    }
}

TEST_F(JoystickTableTest, PressesCountOnceEachAndButtonsAbove16RepeatTheFirst) {
    for (int i = 0; i < 3; ++i) {
        press(0, true);
        sample();
        sample(); // still held: no new hit
        press(0, false);
        sample();
    }
    Joystick* joy = table.at(0);
    EXPECT_EQ(joy->hits[1], 3);
    EXPECT_EQ(joy->hits[17], 3);
    EXPECT_EQ(joy->hits[0], 0);
    press(15, true);
    press(16, true); // beyond the first 16 device buttons: never seen
    sample();
    EXPECT_EQ(joy->down[16], 1);
    EXPECT_EQ(joy->down[31], 0);
    EXPECT_EQ(joy->down[0], 0);
    table.flush();
    EXPECT_EQ(joy->hits[1], 0);
    EXPECT_EQ(joy->down[16], 0);
}

TEST_F(JoystickTableTest, SamplesAtMostEvery3Milliseconds) {
    table.poll(now);
    EXPECT_EQ(script.polls, 1);
    table.poll(now + 2);
    EXPECT_EQ(script.polls, 1);
    table.poll(now + 3);
    EXPECT_EQ(script.polls, 2);
    // The clock wraps; the difference still counts.
    table.poll(0xFFFFFFFEu);
    table.poll(1);
    EXPECT_EQ(script.polls, 4);
}

TEST_F(JoystickTableTest, FailedPollReacquiresOrKeepsTheLastValues) {
    script.state.fields[JoyStateRecord::kX] = 0xFFFF;
    sample();
    EXPECT_EQ(table.at(0)->x, 1.0f);

    script.state.fields[JoyStateRecord::kX] = 0;
    script.pollFails = true;
    sample();
    EXPECT_EQ(script.acquires, 1);
    EXPECT_EQ(table.at(0)->x, 1.0f) << "a device that cannot be polled keeps its values";

    script.acquireFixes = true;
    sample();
    EXPECT_EQ(table.at(0)->x, -1.0f) << "acquiring and polling again reads the device";

    script.pollFails = false;
    script.readFails = true;
    script.state.fields[JoyStateRecord::kX] = 0xFFFF;
    sample();
    EXPECT_EQ(table.at(0)->x, -1.0f);
}

TEST(JoystickTable, HoldsAtMost32) {
    JoystickTable table;
    FakeDevice::Script script;
    for (int i = 0; i < 32; ++i) ASSERT_TRUE(table.add(std::make_unique<FakeDevice>(&script)));
    EXPECT_FALSE(table.add(std::make_unique<FakeDevice>(&script)));
    EXPECT_EQ(table.count(), 32);
    EXPECT_EQ(table.at(32), nullptr);
    EXPECT_EQ(table.at(-1), nullptr);
}

TEST(JoystickTable, DirectionsBeyondAThird) {
    EXPECT_EQ(joyDirection(-1.0f), -1);
    EXPECT_EQ(joyDirection(-0.34f), -1);
    EXPECT_EQ(joyDirection(-0.33333334f), 0);
    EXPECT_EQ(joyDirection(0.0f), 0);
    EXPECT_EQ(joyDirection(0.33333334f), 0);
    EXPECT_EQ(joyDirection(0.34f), 1);
}

// The commands read whichever table is current; this one holds the fake.
TEST_F(JoystickTableTest, CommandsReadTheCurrentTable) {
    JoystickTable* saved = currentJoysticks();
    setCurrentJoysticks(&table);
    script.type = KrJoyDevice::kGamePad;
    script.state.fields[JoyStateRecord::kX] = 0;
    script.state.fields[JoyStateRecord::kRotY] = 0xFFFF;
    script.state.fields[JoyStateRecord::kHat0] = 9000;
    EXPECT_EQ(JoyXDir(0), -1);
    EXPECT_EQ(JoyX(0), -1.0f);
    EXPECT_EQ(JoyYaw(0), 180.0f);
    EXPECT_EQ(JoyHat(0), 90);
    EXPECT_EQ(JoyType(0), 2) << "the type is the one recorded when the device was added";
    for (int port : {-1, 1, 32}) {
        EXPECT_EQ(JoyX(port), 0.0f);
        EXPECT_EQ(JoyType(port), 0);
        EXPECT_EQ(JoyHat(port), 0);
        EXPECT_EQ(JoyDown(1, port), 0);
    }
    press(0, true);
    table.poll(now += 3);
    EXPECT_EQ(JoyDown(33, 0), 1);
    EXPECT_EQ(JoyDown(0, 0), 0);
    EXPECT_EQ(JoyHit(1, 0), 1);
    EXPECT_EQ(JoyHit(1, 0), 0);
    FlushJoy();
    EXPECT_EQ(table.at(0)->down[1], 0);
    setCurrentJoysticks(saved);
}

} // namespace
