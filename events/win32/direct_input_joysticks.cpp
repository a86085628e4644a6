// Joysticks through DirectInput (version 0x500, version-2 interfaces): each
// attached joystick is opened non-exclusive in the background with the
// standard joystick data format and handed to the joystick table.
#define DIRECTINPUT_VERSION 0x0500
#include <windows.h>

#include <dinput.h>

#include <memory>

#include "events/joystick_table.h"
#include "events/win32/joystick_backends.h"
#include "platform/shared_library.h"

namespace {

using DirectInputCreateFn = HRESULT(WINAPI*)(HINSTANCE, DWORD, LPDIRECTINPUTA*, LPUNKNOWN);

class DirectInputDevice : public KrJoyDevice {
public:
    DirectInputDevice(IDirectInputDevice2A* device, int type) : device_(device), type_(type) {}
    ~DirectInputDevice() override {
        device_->Unacquire();
        device_->Release();
    }

    int type() const override { return type_; }

    bool range(int field, int32_t& minimum, int32_t& maximum) override {
        DIPROPRANGE range{};
        range.diph.dwSize = sizeof range;
        range.diph.dwHeaderSize = sizeof range.diph;
        range.diph.dwObj = static_cast<DWORD>(field * 4);
        range.diph.dwHow = DIPH_BYOFFSET;
        if (FAILED(device_->GetProperty(DIPROP_RANGE, &range.diph))) return false;
        minimum = range.lMin;
        maximum = range.lMax;
        return true;
    }

    bool poll() override { return SUCCEEDED(device_->Poll()); }
    bool acquire() override { return SUCCEEDED(device_->Acquire()); }

    bool readState(JoyStateRecord& state) override {
        DIJOYSTATE raw;
        if (FAILED(device_->GetDeviceState(sizeof raw, &raw))) return false;
        static_assert(sizeof raw.rgbButtons == sizeof state.buttons);
        state.fields[JoyStateRecord::kX] = raw.lX;
        state.fields[JoyStateRecord::kY] = raw.lY;
        state.fields[JoyStateRecord::kZ] = raw.lZ;
        state.fields[JoyStateRecord::kRotX] = raw.lRx;
        state.fields[JoyStateRecord::kRotY] = raw.lRy;
        state.fields[JoyStateRecord::kRotZ] = raw.lRz;
        state.fields[JoyStateRecord::kSlider0] = raw.rglSlider[0];
        state.fields[JoyStateRecord::kSlider1] = raw.rglSlider[1];
        for (int i = 0; i < 4; ++i) state.fields[JoyStateRecord::kHat0 + i] = static_cast<int32_t>(raw.rgdwPOV[i]);
        for (int i = 0; i < 32; ++i) state.buttons[i] = raw.rgbButtons[i];
        return true;
    }

private:
    IDirectInputDevice2A* device_;
    int type_;
};

struct Enumeration {
    IDirectInput2A* input;
    JoystickTable* table;
    const std::set<uint32_t>* skip;
};

// Opens one device; any failure skips it.
std::unique_ptr<KrJoyDevice> openDevice(IDirectInput2A* input, const DIDEVICEINSTANCEA& instance) {
    IDirectInputDeviceA* first = nullptr;
    if (FAILED(input->CreateDevice(instance.guidInstance, &first, nullptr))) return nullptr;
    IDirectInputDevice2A* device = nullptr;
    HRESULT hr = first->QueryInterface(IID_IDirectInputDevice2A, reinterpret_cast<void**>(&device));
    first->Release();
    if (FAILED(hr)) return nullptr;
    if (FAILED(device->SetCooperativeLevel(nullptr, DISCL_NONEXCLUSIVE | DISCL_BACKGROUND)) ||
        FAILED(device->SetDataFormat(&c_dfDIJoystick))) {
        device->Release();
        return nullptr;
    }
    int type = GET_DIDEVICE_SUBTYPE(instance.dwDevType) == DIDEVTYPEJOYSTICK_GAMEPAD ? KrJoyDevice::kGamePad
                                                                                      : KrJoyDevice::kJoystick;
    return std::make_unique<DirectInputDevice>(device, type);
}

BOOL CALLBACK onDevice(LPCDIDEVICEINSTANCEA instance, LPVOID context) {
    auto* e = static_cast<Enumeration*>(context);
    if (e->skip->count(instance->guidProduct.Data1)) return DIENUM_CONTINUE;
    if (auto device = openDevice(e->input, *instance)) e->table->add(std::move(device));
    return e->table->full() ? DIENUM_STOP : DIENUM_CONTINUE;
}

} // namespace

bool DirectInputJoysticks::open() {
    library_ = platform::loadLibrary("dinput.dll");
    if (!library_) return false;
    auto create = reinterpret_cast<DirectInputCreateFn>(platform::librarySymbol(library_, "DirectInputCreateA"));
    IDirectInputA* first = nullptr;
    if (!create || FAILED(create(GetModuleHandleA(nullptr), 0x0500, &first, nullptr))) {
        close();
        return false;
    }
    IDirectInput2A* input = nullptr;
    HRESULT hr = first->QueryInterface(IID_IDirectInput2A, reinterpret_cast<void**>(&input));
    first->Release();
    if (FAILED(hr)) {
        close();
        return false;
    }
    input_ = input;
    return true;
}

void DirectInputJoysticks::enumerate(JoystickTable& table, const std::set<uint32_t>& skipProducts) {
    if (!input_ || table.full()) return;
    auto* input = static_cast<IDirectInput2A*>(input_);
    Enumeration e{input, &table, &skipProducts};
    input->EnumDevices(DIDEVTYPE_JOYSTICK, &onDevice, &e, DIEDFL_ATTACHEDONLY);
}

void DirectInputJoysticks::close() {
    if (input_) static_cast<IDirectInput2A*>(input_)->Release();
    input_ = nullptr;
    if (library_) platform::freeLibrary(library_);
    library_ = nullptr;
}
