// The joystick table: up to 32 devices numbered by port from 0, each with
// its field ranges, normalised axes, hat, button hit counters and down flags.
//
// Devices are sampled on demand and at most once every 3 ms; a device that
// cannot be polled or read keeps its previous values.
#pragma once

#include <cstdint>
#include <memory>

#include "events/joystick_input.h"

struct JoyAxisRange {
    int32_t minimum;
    int32_t span; // maximum - minimum
};

struct Joystick {
    std::unique_ptr<KrJoyDevice> device;
    int type = 0;
    JoyAxisRange ranges[JoyStateRecord::kFields] = {};
    float x = 0, y = 0, z = 0, u = 0, v = 0;
    float pitch = 0, yaw = 0, roll = 0;
    float hat = 0;
    int32_t hits[32] = {};
    uint8_t down[32] = {};
};

class JoystickTable {
public:
    static constexpr int kMaxJoysticks = 32;
    static constexpr uint32_t kPollInterval = 3; // ms

    // Records a device with its type and ranges; false (and the device is
    // dropped) when the table is full.
    bool add(std::unique_ptr<KrJoyDevice> device);
    bool full() const { return count_ == kMaxJoysticks; }
    int count() const { return count_; }
    void clear();

    // Samples every device unless the last sample is less than 3 ms old
    // (`now` is the millisecond clock, compared by difference).
    void poll(uint32_t now);
    // The entry of a port, or null for a port out of range.
    Joystick* at(int port);
    // Zeroes every hit counter and down flag.
    void flush();

private:
    void sample(Joystick& joy);

    Joystick entries_[kMaxJoysticks];
    int count_ = 0;
    bool polled_ = false;
    uint32_t lastPoll_ = 0;
};

// The table the joystick commands read (the module's), or null when none.
JoystickTable* currentJoysticks();
void setCurrentJoysticks(JoystickTable* table);

// -1, 0 or 1: beyond a third of the way to either end counts as a direction.
int joyDirection(float axis);
