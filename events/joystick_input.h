// The contract of a joystick input back end, and the state record it reads.
//
// A back end finds the attached joysticks once, at module start, and hands
// each one to the joystick table as a KrJoyDevice. The table asks a device
// for the value range of each state field, polls it (re-acquiring it when a
// poll fails) and reads its state record; everything else (normalising axes,
// the hat, the button hit counters) is the table's own work.
#pragma once

#include <cstdint>

// One sample of a device, laid out as the twelve consecutive 32-bit fields
// that carry ranges, then the button bytes (bit 7 set while pressed).
struct JoyStateRecord {
    enum Field { kX, kY, kZ, kRotX, kRotY, kRotZ, kSlider0, kSlider1, kHat0, kHat1, kHat2, kHat3, kFields };
    int32_t fields[kFields];
    uint8_t buttons[32];
};

class KrJoyDevice {
public:
    enum Type { kGamePad = 1, kJoystick = 2 };

    virtual ~KrJoyDevice() = default;
    virtual int type() const = 0;
    // The range of one state field; false when the device does not say.
    virtual bool range(int field, int32_t& minimum, int32_t& maximum) = 0;
    virtual bool poll() = 0;
    virtual bool acquire() = 0;
    virtual bool readState(JoyStateRecord& state) = 0;
};
