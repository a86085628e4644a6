// The joystick commands. Each samples the devices first (at most once every
// 3 ms) and reads the table; a port out of range gives 0. There are no
// runtime errors here.
#include "events/joystick_table.h"
#include "platform/clock.h"
#include "runtime/symbol_registration.h"

namespace {

// The sampled entry of a port, or null for a port out of range.
Joystick* joystick(int port) {
    JoystickTable* table = currentJoysticks();
    if (!table || !table->at(port)) return nullptr;
    table->poll(platform::milliSecs());
    return table->at(port);
}

template <typename T>
T read(int port, T Joystick::*field) {
    Joystick* joy = joystick(port);
    return joy ? joy->*field : T{};
}

int direction(int port, float Joystick::*axis) {
    Joystick* joy = joystick(port);
    return joy ? joyDirection(joy->*axis) : 0;
}

} // namespace

extern "C" {

__attribute__((stdcall)) int JoyType(int port) { return read(port, &Joystick::type); }

__attribute__((stdcall)) int JoyDown(int button, int port) {
    Joystick* joy = joystick(port);
    return joy ? joy->down[button & 31] : 0;
}

__attribute__((stdcall)) int JoyHit(int button, int port) {
    Joystick* joy = joystick(port);
    if (!joy) return 0;
    int hits = joy->hits[button & 31];
    joy->hits[button & 31] = 0;
    return hits;
}

__attribute__((stdcall)) float JoyX(int port) { return read(port, &Joystick::x); }
__attribute__((stdcall)) float JoyY(int port) { return read(port, &Joystick::y); }
__attribute__((stdcall)) float JoyZ(int port) { return read(port, &Joystick::z); }
__attribute__((stdcall)) float JoyU(int port) { return read(port, &Joystick::u); }
__attribute__((stdcall)) float JoyV(int port) { return read(port, &Joystick::v); }
__attribute__((stdcall)) float JoyPitch(int port) { return read(port, &Joystick::pitch); }
__attribute__((stdcall)) float JoyYaw(int port) { return read(port, &Joystick::yaw); }
__attribute__((stdcall)) float JoyRoll(int port) { return read(port, &Joystick::roll); }

__attribute__((stdcall)) int JoyHat(int port) { return static_cast<int>(read(port, &Joystick::hat)); }

__attribute__((stdcall)) int JoyXDir(int port) { return direction(port, &Joystick::x); }
__attribute__((stdcall)) int JoyYDir(int port) { return direction(port, &Joystick::y); }
__attribute__((stdcall)) int JoyZDir(int port) { return direction(port, &Joystick::z); }
__attribute__((stdcall)) int JoyUDir(int port) { return direction(port, &Joystick::u); }
__attribute__((stdcall)) int JoyVDir(int port) { return direction(port, &Joystick::v); }

__attribute__((stdcall)) void FlushJoy() {
    JoystickTable* table = currentJoysticks();
    if (!table) return;
    table->poll(platform::milliSecs());
    table->flush();
}

}

KR_COMMAND(Runtime, "%JoyType%port=0", JoyType);
KR_COMMAND(Runtime, "%JoyDown%button%port=0", JoyDown);
KR_COMMAND(Runtime, "%JoyHit%button%port=0", JoyHit);
KR_COMMAND(Runtime, "#JoyX%port=0", JoyX);
KR_COMMAND(Runtime, "#JoyY%port=0", JoyY);
KR_COMMAND(Runtime, "#JoyZ%port=0", JoyZ);
KR_COMMAND(Runtime, "#JoyU%port=0", JoyU);
KR_COMMAND(Runtime, "#JoyV%port=0", JoyV);
KR_COMMAND(Runtime, "#JoyPitch%port=0", JoyPitch);
KR_COMMAND(Runtime, "#JoyYaw%port=0", JoyYaw);
KR_COMMAND(Runtime, "#JoyRoll%port=0", JoyRoll);
KR_COMMAND(Runtime, "%JoyHat%port=0", JoyHat);
KR_COMMAND(Runtime, "%JoyXDir%port=0", JoyXDir);
KR_COMMAND(Runtime, "%JoyYDir%port=0", JoyYDir);
KR_COMMAND(Runtime, "%JoyZDir%port=0", JoyZDir);
KR_COMMAND(Runtime, "%JoyUDir%port=0", JoyUDir);
KR_COMMAND(Runtime, "%JoyVDir%port=0", JoyVDir);
KR_COMMAND(Runtime, "FlushJoy", FlushJoy);
