// The two joystick back ends of the Win32Joystick module: DirectInput for
// every attached joystick, and XInput for the controllers that speak it
// (DirectInput shows their two triggers as one combined axis).
#pragma once

#include <cstdint>
#include <set>

class JoystickTable;

// DirectInput through dinput.dll, loaded at open. The XInput controllers
// whose product codes are in `skipProducts` (vendor id in the low word,
// product id in the high word) are left to the XInput back end.
class DirectInputJoysticks {
public:
    ~DirectInputJoysticks() { close(); }
    // Loads the library and makes the DirectInput object; false when either fails.
    bool open();
    // Records every attached joystick in the table until it is full.
    void enumerate(JoystickTable& table, const std::set<uint32_t>& skipProducts);
    void close();

private:
    void* library_ = nullptr;
    void* input_ = nullptr; // IDirectInput2A
};

// XInput through the newest xinput DLL present, loaded at open.
class XInputJoysticks {
public:
    ~XInputJoysticks() { close(); }
    // False when no XInput library is present.
    bool open();
    // The vendor/product codes of attached XInput controllers, as
    // DirectInput's product identifiers carry them.
    std::set<uint32_t> productCodes() const;
    // Records every connected controller in the table until it is full.
    void enumerate(JoystickTable& table);
    void close();

private:
    void* library_ = nullptr;
};
