// The "Win32Joystick" core module: finds the attached joysticks when the
// program starts and keeps the table the joystick commands read. Start fails
// when DirectInput cannot be made; XInput is optional.
//
// Ports: the DirectInput joysticks first, in DirectInput's order, then the
// connected XInput controllers by user index; an XInput controller appears
// once, through XInput (see xinput_joysticks.cpp for its layout).
#include "events/joystick_table.h"
#include "events/win32/joystick_backends.h"
#include "runtime/module.h"

namespace {

class Win32Joystick : public KrModule {
public:
    Win32Joystick() { setup("Win32Joystick"); }

    bool startup() override {
        table_.clear();
        if (!directInput_.open()) return false;
        std::set<uint32_t> xinputProducts;
        if (xinput_.open()) xinputProducts = xinput_.productCodes();
        directInput_.enumerate(table_, xinputProducts);
        xinput_.enumerate(table_);
        setCurrentJoysticks(&table_);
        return true;
    }

    // The devices go before the objects and libraries that made them.
    void shutdown() override {
        if (currentJoysticks() == &table_) setCurrentJoysticks(nullptr);
        table_.clear();
        xinput_.close();
        directInput_.close();
    }

private:
    JoystickTable table_;
    DirectInputJoysticks directInput_;
    XInputJoysticks xinput_;
};

Win32Joystick theJoystickModule;

} // namespace
