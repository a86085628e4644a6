// Input processing of the common window procedure: key codes with the
// extended bit, the global modifier state, hot keys, the character codes of
// keys without a character, buttons with capture, wheel notches and motion
// tracking with its optional logical size.
#include <windows.h>

#include "events/event_filter.h"
#include "events/event_source.h"
#include "events/hot_keys.h"
#include "gui/win32/win32_hwnd.h"

namespace {

enum : int { kShift = 1, kCtrl = 2, kAlt = 4 };

int modifierState = 0;
// Set when a hot key took a key press: the character message that the
// translation of that press queued is taken too.
bool swallowCharacter = false;
Win32Hwnd* tracked = nullptr;

// Scan code (bits 16-22) with bit 7 for extended keys (bit 24).
int keyCode(LPARAM lParam) {
    int code = static_cast<int>((lParam >> 16) & 0x7F);
    if (lParam & (1 << 24)) code |= 0x80;
    return code;
}

int modifierBit(WPARAM vk) {
    switch (vk) {
    case VK_SHIFT: return kShift;
    case VK_CONTROL: return kCtrl;
    case VK_MENU: return kAlt;
    }
    return 0;
}

// The character code of a key that has no character, 0 for the others.
int keyCharacter(WPARAM vk) {
    if (vk >= VK_F1 && vk <= VK_F24) return 0xF704 + static_cast<int>(vk - VK_F1);
    switch (vk) {
    case VK_UP: return 0xF700;
    case VK_DOWN: return 0xF701;
    case VK_LEFT: return 0xF702;
    case VK_RIGHT: return 0xF703;
    case VK_INSERT: return 0xF727;
    case VK_DELETE: return 0xF728;
    case VK_HOME: return 0xF729;
    case VK_END: return 0xF72B;
    case VK_PRIOR: return 0xF72C;
    case VK_NEXT: return 0xF72D;
    }
    return 0;
}

// Posts a record from the binding's source; false when the binding is gone
// once the record has been delivered (the program may free the gadget
// before the pump resumes here).
bool post(HWND hwnd, int id, int data = 0, int x = 0, int y = 0, int z = 0) {
    Win32Hwnd* binding = Win32Hwnd::find(hwnd);
    if (!binding) return false;
    KrEventSource* source = binding->source();
    postEvent(EventRecord{id, data, x, y, z, source ? toHandle(source) : 0});
    return Win32Hwnd::find(hwnd) != nullptr;
}

int buttonOf(UINT message) {
    switch (message) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: return 1;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
    case WM_RBUTTONUP: return 2;
    }
    return 3;
}

} // namespace

Win32Hwnd* win32TrackedBinding() { return tracked; }

void win32ClearTrackedBinding(Win32Hwnd* binding) {
    if (tracked == binding) tracked = nullptr;
}

bool win32ProcessInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Hwnd* self = Win32Hwnd::find(hwnd);
    if (!self) return false;
    const bool keys = self->flags_ & EventFlagKeysButtons;
    const bool motion = self->flags_ & EventFlagMotion;
    switch (message) {
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN: {
        swallowCharacter = false;
        int modifier = modifierBit(wParam);
        modifierState |= modifier;
        int code = (lParam & (1 << 30)) ? 0 : keyCode(lParam);
        if (code != 0 && modifier == 0 && lookupHotKey(code, modifierState)) {
            swallowCharacter = true;
            return Win32Hwnd::find(hwnd) != nullptr;
        }
        if (!keys) return true;
        if (code != 0 && !post(hwnd, EVENT_KEY_DOWN, code)) return false;
        int character = wParam >= 1 && wParam <= 255 ? keyCharacter(wParam) : 0;
        if (character != 0) return post(hwnd, EVENT_KEY_CHAR, character);
        return true;
    }
    case WM_KEYUP:
    case WM_SYSKEYUP: {
        swallowCharacter = false;
        modifierState &= ~modifierBit(wParam);
        int code = keyCode(lParam);
        if (keys && code != 0) return post(hwnd, EVENT_KEY_UP, code);
        return true;
    }
    case WM_CHAR:
    case WM_SYSCHAR:
        if (swallowCharacter) {
            swallowCharacter = false;
            return true;
        }
        if (keys) return post(hwnd, EVENT_KEY_CHAR, static_cast<int>(wParam));
        return true;
    // A quick second press arrives as a double click (the class asks for
    // them); it is a press like any other.
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDBLCLK:
        if (!keys) return true;
        SetCapture(hwnd);
        return post(hwnd, EVENT_MOUSE_DOWN, buttonOf(message), self->lastX_, self->lastY_, modifierState);
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        if (!keys) return true;
        if ((wParam & (MK_LBUTTON | MK_RBUTTON | MK_MBUTTON)) == 0) ReleaseCapture();
        return post(hwnd, EVENT_MOUSE_UP, buttonOf(message), self->lastX_, self->lastY_, modifierState);
    case WM_MOUSEWHEEL:
        if (!keys) return true;
        return post(hwnd, EVENT_MOUSE_WHEEL, static_cast<short>(HIWORD(wParam)) / 120);
    case WM_MOUSEMOVE: {
        if (!motion) return true;
        int x = static_cast<short>(LOWORD(lParam));
        int y = static_cast<short>(HIWORD(lParam));
        if (self->logicalWidth_ != 0 && self->logicalHeight_ != 0) {
            RECT client;
            GetClientRect(hwnd, &client);
            if (client.right > 0) x = x * self->logicalWidth_ / client.right;
            if (client.bottom > 0) y = y * self->logicalHeight_ / client.bottom;
        }
        if (tracked != self) {
            if (Win32Hwnd* previous = tracked) {
                tracked = nullptr;
                post(previous->handle(), EVENT_MOUSE_LEAVE);
                if (!(self = Win32Hwnd::find(hwnd))) return false;
            }
            tracked = self;
            TRACKMOUSEEVENT track = {sizeof track, TME_LEAVE, hwnd, 0};
            TrackMouseEvent(&track);
            if (!post(hwnd, EVENT_MOUSE_ENTER, 0, x, y)) return false;
            self = Win32Hwnd::find(hwnd);
        }
        if (x != self->lastX_ || y != self->lastY_) {
            self->lastX_ = x;
            self->lastY_ = y;
            return post(hwnd, EVENT_MOUSE_MOVE, 0, x, y);
        }
        return true;
    }
    case WM_MOUSELEAVE:
        if (!motion || tracked == nullptr) return true;
        {
            HWND left = tracked->handle();
            tracked = nullptr;
            post(left, EVENT_MOUSE_LEAVE);
        }
        return Win32Hwnd::find(hwnd) != nullptr;
    }
    return true;
}
