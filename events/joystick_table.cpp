// The joystick table: recording devices, sampling them and turning their
// state records into the values the joystick commands read.
#include "events/joystick_table.h"

#include <cmath>

namespace {

JoystickTable* current = nullptr;

constexpr int32_t kDefaultSpan = 0xFFFF;

// ((raw - minimum) / span) * 2 - 1 in single precision. A device that reports
// an empty range (minimum = maximum) would divide by zero and hand the
// program NaN or infinity; such an axis reads as centred.
float unitAxis(int32_t raw, const JoyAxisRange& range) {
    if (range.span == 0) return 0.0f;
    float offset = static_cast<float>(static_cast<int64_t>(raw) - range.minimum);
    return offset / static_cast<float>(range.span) * 2.0f - 1.0f;
}

// Hundredths of a degree rounded to whole degrees; -1 when centred (the low
// 16 bits all set).
float hatDegrees(int32_t raw) {
    auto value = static_cast<uint32_t>(raw);
    if ((value & 0xFFFF) == 0xFFFF) return -1.0f;
    return std::floor(static_cast<float>(value) * 0.01f + 0.5f);
}

} // namespace

JoystickTable* currentJoysticks() { return current; }

void setCurrentJoysticks(JoystickTable* table) { current = table; }

int joyDirection(float axis) {
    if (axis < -0.33333334f) return -1;
    if (axis > 0.33333334f) return 1;
    return 0;
}

bool JoystickTable::add(std::unique_ptr<KrJoyDevice> device) {
    if (full()) return false;
    Joystick& joy = entries_[count_];
    joy = Joystick{};
    joy.type = device->type();
    for (int field = 0; field < JoyStateRecord::kFields; ++field) {
        int32_t minimum = 0, maximum = 0;
        if (device->range(field, minimum, maximum))
            joy.ranges[field] = {minimum, static_cast<int32_t>(static_cast<uint32_t>(maximum) - static_cast<uint32_t>(minimum))};
        else
            joy.ranges[field] = {0, kDefaultSpan};
    }
    joy.device = std::move(device);
    ++count_;
    return true;
}

void JoystickTable::clear() {
    for (int i = 0; i < count_; ++i) entries_[i] = Joystick{};
    count_ = 0;
    polled_ = false;
}

Joystick* JoystickTable::at(int port) { return port >= 0 && port < count_ ? &entries_[port] : nullptr; }

void JoystickTable::poll(uint32_t now) {
    if (polled_ && now - lastPoll_ < kPollInterval) return;
    polled_ = true;
    lastPoll_ = now;
    for (int i = 0; i < count_; ++i) sample(entries_[i]);
}

void JoystickTable::sample(Joystick& joy) {
    KrJoyDevice& device = *joy.device;
    if (!device.poll() && !(device.acquire() && device.poll())) return;
    JoyStateRecord state{};
    if (!device.readState(state)) return;
    const int32_t* raw = state.fields;
    joy.x = unitAxis(raw[JoyStateRecord::kX], joy.ranges[JoyStateRecord::kX]);
    joy.y = unitAxis(raw[JoyStateRecord::kY], joy.ranges[JoyStateRecord::kY]);
    joy.z = unitAxis(raw[JoyStateRecord::kZ], joy.ranges[JoyStateRecord::kZ]);
    joy.u = unitAxis(raw[JoyStateRecord::kSlider0], joy.ranges[JoyStateRecord::kSlider0]);
    joy.v = unitAxis(raw[JoyStateRecord::kSlider1], joy.ranges[JoyStateRecord::kSlider1]);
    joy.pitch = unitAxis(raw[JoyStateRecord::kRotX], joy.ranges[JoyStateRecord::kRotX]) * 180.0f;
    joy.yaw = unitAxis(raw[JoyStateRecord::kRotY], joy.ranges[JoyStateRecord::kRotY]) * 180.0f;
    joy.roll = unitAxis(raw[JoyStateRecord::kRotZ], joy.ranges[JoyStateRecord::kRotZ]) * 180.0f;
    joy.hat = hatDegrees(raw[JoyStateRecord::kHat0]);
    // Numbers 1..31 follow the first 16 device buttons (17..31 repeat them);
    // number 0 is never set.
    for (int b = 1; b < 32; ++b) {
        uint8_t pressed = (state.buttons[(b - 1) & 15] & 0x80) ? 1 : 0;
        if (pressed && !joy.down[b]) ++joy.hits[b];
        joy.down[b] = pressed;
    }
}

void JoystickTable::flush() {
    for (int i = 0; i < count_; ++i) {
        Joystick& joy = entries_[i];
        for (int b = 0; b < 32; ++b) {
            joy.hits[b] = 0;
            joy.down[b] = 0;
        }
    }
}
