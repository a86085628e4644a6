// XInput controllers as game pads. Programs see them in this layout:
//   X, Y         left stick (Y grows downwards, as DirectInput's does)
//   pitch, yaw   right stick X and Y (rotation X and Y)
//   U, V         left and right trigger, -1.0 released to 1.0 fully pulled
//   Z            both triggers on one axis (left pulls towards 1.0, right
//                towards -1.0), as DirectInput shows these controllers
//   hat          the direction pad
//   buttons 1-10 A, B, X, Y, left and right shoulder, Back, Start, left and
//                right stick press
// The library is the newest XInput DLL present, loaded at open.
#include <windows.h>

#include <xinput.h>

#include <cstring>
#include <memory>
#include <vector>

#include "events/joystick_table.h"
#include "events/win32/joystick_backends.h"
#include "platform/shared_library.h"

namespace {

using XInputGetStateFn = DWORD(WINAPI*)(DWORD, XINPUT_STATE*);

const char* const kLibraries[] = {"xinput1_4.dll", "xinput1_3.dll", "xinput9_1_0.dll"};

// Device buttons 0..9 in XInput order.
const WORD kButtonOrder[] = {XINPUT_GAMEPAD_A,           XINPUT_GAMEPAD_B,          XINPUT_GAMEPAD_X,
                             XINPUT_GAMEPAD_Y,           XINPUT_GAMEPAD_LEFT_SHOULDER,
                             XINPUT_GAMEPAD_RIGHT_SHOULDER, XINPUT_GAMEPAD_BACK,   XINPUT_GAMEPAD_START,
                             XINPUT_GAMEPAD_LEFT_THUMB,  XINPUT_GAMEPAD_RIGHT_THUMB};

// The direction pad as a hat in hundredths of a degree; opposite presses
// cancel; nothing pressed is centred.
DWORD padHat(WORD buttons) {
    int dx = ((buttons & XINPUT_GAMEPAD_DPAD_RIGHT) ? 1 : 0) - ((buttons & XINPUT_GAMEPAD_DPAD_LEFT) ? 1 : 0);
    int dy = ((buttons & XINPUT_GAMEPAD_DPAD_DOWN) ? 1 : 0) - ((buttons & XINPUT_GAMEPAD_DPAD_UP) ? 1 : 0);
    static const DWORD hats[3][3] = {{31500, 0, 4500}, {27000, 0xFFFFFFFF, 9000}, {22500, 18000, 13500}};
    return hats[dy + 1][dx + 1];
}

// Flips a thumb stick's Y (up is positive in XInput) within the same range.
int32_t downwards(SHORT y) { return -1 - static_cast<int32_t>(y); }

class XInputDevice : public KrJoyDevice {
public:
    XInputDevice(XInputGetStateFn getState, DWORD user) : getState_(getState), user_(user) {}

    int type() const override { return kGamePad; }

    bool range(int field, int32_t& minimum, int32_t& maximum) override {
        switch (field) {
        case JoyStateRecord::kX:
        case JoyStateRecord::kY:
        case JoyStateRecord::kRotX:
        case JoyStateRecord::kRotY: minimum = -32768, maximum = 32767; return true;
        case JoyStateRecord::kZ: minimum = -255, maximum = 255; return true;
        case JoyStateRecord::kRotZ: minimum = -1, maximum = 1; return true;
        case JoyStateRecord::kSlider0:
        case JoyStateRecord::kSlider1: minimum = 0, maximum = 255; return true;
        default: return false;
        }
    }

    bool poll() override { return getState_(user_, &state_) == ERROR_SUCCESS; }
    bool acquire() override { return true; }

    bool readState(JoyStateRecord& state) override {
        const XINPUT_GAMEPAD& pad = state_.Gamepad;
        std::memset(&state, 0, sizeof state);
        state.fields[JoyStateRecord::kX] = pad.sThumbLX;
        state.fields[JoyStateRecord::kY] = downwards(pad.sThumbLY);
        state.fields[JoyStateRecord::kZ] = static_cast<int32_t>(pad.bLeftTrigger) - pad.bRightTrigger;
        state.fields[JoyStateRecord::kRotX] = pad.sThumbRX;
        state.fields[JoyStateRecord::kRotY] = downwards(pad.sThumbRY);
        state.fields[JoyStateRecord::kSlider0] = pad.bLeftTrigger;
        state.fields[JoyStateRecord::kSlider1] = pad.bRightTrigger;
        state.fields[JoyStateRecord::kHat0] = static_cast<int32_t>(padHat(pad.wButtons));
        for (int i = 1; i < 4; ++i) state.fields[JoyStateRecord::kHat0 + i] = -1;
        for (size_t i = 0; i < sizeof kButtonOrder / sizeof kButtonOrder[0]; ++i)
            state.buttons[i] = (pad.wButtons & kButtonOrder[i]) ? 0x80 : 0;
        return true;
    }

private:
    XInputGetStateFn getState_;
    DWORD user_;
    XINPUT_STATE state_{};
};

// "VID_xxxx" / "PID_xxxx" in a device path, or -1.
int hexAfter(const char* path, const char* key) {
    const char* at = std::strstr(path, key);
    if (!at) return -1;
    char* end = nullptr;
    long value = std::strtol(at + std::strlen(key), &end, 16);
    return end == at + std::strlen(key) ? -1 : static_cast<int>(value & 0xFFFF);
}

} // namespace

bool XInputJoysticks::open() {
    for (const char* name : kLibraries) {
        library_ = platform::loadLibrary(name);
        if (library_ && platform::librarySymbol(library_, "XInputGetState")) return true;
        if (library_) platform::freeLibrary(library_);
        library_ = nullptr;
    }
    return false;
}

// XInput controllers carry "IG_" in their device paths; the raw input device
// list names every attached human-interface device.
std::set<uint32_t> XInputJoysticks::productCodes() const {
    std::set<uint32_t> codes;
    if (!library_) return codes;
    UINT count = 0;
    if (GetRawInputDeviceList(nullptr, &count, sizeof(RAWINPUTDEVICELIST)) != 0 || count == 0) return codes;
    std::vector<RAWINPUTDEVICELIST> devices(count);
    UINT got = GetRawInputDeviceList(devices.data(), &count, sizeof(RAWINPUTDEVICELIST));
    if (got == static_cast<UINT>(-1)) return codes;
    for (UINT i = 0; i < got; ++i) {
        char path[512] = {};
        UINT size = sizeof path - 1;
        if (GetRawInputDeviceInfoA(devices[i].hDevice, RIDI_DEVICENAME, path, &size) == static_cast<UINT>(-1))
            continue;
        if (!std::strstr(path, "IG_") && !std::strstr(path, "ig_")) continue;
        int vendor = hexAfter(path, "VID_"), product = hexAfter(path, "PID_");
        if (vendor < 0) vendor = hexAfter(path, "vid_");
        if (product < 0) product = hexAfter(path, "pid_");
        if (vendor >= 0 && product >= 0) codes.insert(static_cast<uint32_t>(vendor) | static_cast<uint32_t>(product) << 16);
    }
    return codes;
}

void XInputJoysticks::enumerate(JoystickTable& table) {
    if (!library_) return;
    auto getState = reinterpret_cast<XInputGetStateFn>(platform::librarySymbol(library_, "XInputGetState"));
    for (DWORD user = 0; user < XUSER_MAX_COUNT && !table.full(); ++user) {
        XINPUT_STATE probe{};
        if (getState(user, &probe) == ERROR_SUCCESS) table.add(std::make_unique<XInputDevice>(getState, user));
    }
}

// The library stays loaded: once asked for a state, XInput may run a thread
// of its own that polls devices, and unloading the library under it leaves
// that thread running in unmapped code (Wine's does exactly that).
void XInputJoysticks::close() { library_ = nullptr; }
