// Key, button and wheel messages reaching a window's procedure through the
// pump become events and reach the polling state: key codes are scan codes
// with bit 7 for extended keys, auto-repeat gives characters but no further
// key-down, keys without a character give the 0xF7xx codes, buttons over a
// window report x = y = 0 with the modifier state, wheel deltas are notches,
// and a bound hot key takes the whole key press.
#include <gtest/gtest.h>
#include <windows.h>

#include <vector>

#include "events/event_record.h"
#include "gui/gui_commands.h"
#include "lang/kr_string.h"
#include "support/event_commands.h"
#include "support/program_harness.h"

namespace {

struct Event {
    int id, data, x, y, z, source;
    bool operator==(const Event&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Event& e) {
    return os << "{0x" << std::hex << e.id << std::dec << ", " << e.data << ", " << e.x << ", " << e.y << ", " << e.z
              << ", " << e.source << "}";
}

// Every event that arrives until the queue stays empty.
std::vector<Event> drain() {
    std::vector<Event> got;
    while (WaitEvent(100) != 0) got.push_back({EventID(), EventData(), EventX(), EventY(), EventZ(), EventSource()});
    return got;
}

LPARAM keyData(int scan, bool extended, bool repeat = false, bool up = false) {
    LPARAM l = 1 | (scan << 16);
    if (extended) l |= 1 << 24;
    if (repeat || up) l |= 1 << 30;
    if (up) l |= 1u << 31;
    return l;
}

// A window whose frame has the keyboard focus; returns the frame.
HWND focusedWindow(int& window) {
    KrString* title = krNewString("Input");
    window = krCreateWindow(title, 0, 0, 300, 200, 0, 1);
    release(title);
    HWND frame = reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(window)->query(1)));
    SetFocus(frame);
    drain();
    return frame;
}

} // namespace

TEST(Win32Input, KeysGiveScanCodesCharactersAndNoRepeatedKeyDown) {
    std::vector<Event> got;
    int window = 0, hits = -1, down = -1, firstKey = -1, secondKey = -1;
    RunRecord run = runAsProgram([&] {
        HWND frame = focusedWindow(window);
        PostMessageA(frame, WM_KEYDOWN, VK_UP, keyData(0x48, true));
        PostMessageA(frame, WM_KEYDOWN, VK_UP, keyData(0x48, true, true));
        PostMessageA(frame, WM_KEYUP, VK_UP, keyData(0x48, true, false, true));
        // The pump translates the key-down into its character.
        PostMessageA(frame, WM_KEYDOWN, 'A', keyData(30, false));
        got = drain();
        hits = KeyHit(0xC8);
        down = KeyDown(30);
        firstKey = GetKey();
        secondKey = GetKey();
    });
    EXPECT_TRUE(run.finished) << run.error();
    std::vector<Event> want = {
        {EVENT_KEY_DOWN, 0xC8, 0, 0, 0, window}, {EVENT_KEY_CHAR, 0xF700, 0, 0, 0, window},
        {EVENT_KEY_CHAR, 0xF700, 0, 0, 0, window}, {EVENT_KEY_UP, 0xC8, 0, 0, 0, window},
        {EVENT_KEY_DOWN, 30, 0, 0, 0, window},     {EVENT_KEY_CHAR, 'a', 0, 0, 0, window},
    };
    EXPECT_EQ(got, want);
    EXPECT_EQ(hits, 1) << "a held key counts one hit";
    EXPECT_EQ(down, 1);
    EXPECT_EQ(firstKey, 0xF700);
    EXPECT_EQ(secondKey, 0xF700);
}

TEST(Win32Input, ButtonsAndWheelOverAWindow) {
    std::vector<Event> got;
    int window = 0, hits = -1, button = -1, wheel = 99, speed = 99, speedAgain = 99;
    RunRecord run = runAsProgram([&] {
        HWND frame = focusedWindow(window);
        PostMessageA(frame, WM_KEYDOWN, VK_SHIFT, keyData(42, false));
        PostMessageA(frame, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(40, 30));
        PostMessageA(frame, WM_LBUTTONUP, MK_SHIFT, MAKELPARAM(40, 30));
        PostMessageA(frame, WM_KEYUP, VK_SHIFT, keyData(42, false, false, true));
        PostMessageA(frame, WM_RBUTTONDBLCLK, MK_RBUTTON, MAKELPARAM(41, 31));
        PostMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, -120), 0);
        PostMessageA(frame, WM_MOUSEWHEEL, MAKEWPARAM(0, 360), 0);
        got = drain();
        hits = MouseHit(1);
        button = GetMouse();
        wheel = MouseZ();
        speed = MouseZSpeed();
        speedAgain = MouseZSpeed();
    });
    EXPECT_TRUE(run.finished) << run.error();
    std::vector<Event> want = {
        {EVENT_KEY_DOWN, 42, 0, 0, 0, window},     {EVENT_MOUSE_DOWN, 1, 0, 0, 1, window},
        {EVENT_MOUSE_UP, 1, 0, 0, 1, window},      {EVENT_KEY_UP, 42, 0, 0, 0, window},
        {EVENT_MOUSE_DOWN, 2, 0, 0, 0, window},    {EVENT_MOUSE_WHEEL, -1, 0, 0, 0, window},
        {EVENT_MOUSE_WHEEL, 3, 0, 0, 0, window},
    };
    EXPECT_EQ(got, want);
    EXPECT_EQ(hits, 1);
    EXPECT_EQ(button, 1);
    EXPECT_EQ(wheel, 2);
    EXPECT_EQ(speed, 2);
    EXPECT_EQ(speedAgain, 0);
}

TEST(Win32Input, ANotchOverTheClientAreaIsOneEvent) {
    std::vector<Event> got;
    int window = 0;
    RunRecord run = runAsProgram([&] {
        focusedWindow(window);
        HWND client = reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(window)->query(2)));
        // The default handling hands the message on to the frame.
        PostMessageA(client, WM_MOUSEWHEEL, MAKEWPARAM(0, 120), 0);
        PostMessageA(client, WM_MOUSEWHEEL, MAKEWPARAM(0, -240), 0);
        got = drain();
    });
    EXPECT_TRUE(run.finished) << run.error();
    std::vector<Event> want = {{EVENT_MOUSE_WHEEL, 1, 0, 0, 0, window}, {EVENT_MOUSE_WHEEL, -2, 0, 0, 0, window}};
    EXPECT_EQ(got, want);
}

TEST(Win32Input, AHotKeyTakesTheWholeKeyPress) {
    std::vector<Event> got;
    int window = 0;
    RunRecord run = runAsProgram([&] {
        HWND frame = focusedWindow(window);
        HotKeyEvent(30, 2, 0x9000, 7, 0, 0, 0, 0);
        // The character the pump makes of the key-down comes next, as it
        // does before the user lets go of the key.
        PostMessageA(frame, WM_KEYDOWN, VK_CONTROL, keyData(29, false));
        PostMessageA(frame, WM_KEYDOWN, 'A', keyData(30, false));
        got = drain();
        PostMessageA(frame, WM_KEYUP, 'A', keyData(30, false, false, true));
        PostMessageA(frame, WM_KEYUP, VK_CONTROL, keyData(29, false, false, true));
        for (const Event& e : drain()) got.push_back(e);
    });
    EXPECT_TRUE(run.finished) << run.error();
    std::vector<Event> want = {
        {EVENT_KEY_DOWN, 29, 0, 0, 0, window},
        {0x9000, 7, 0, 0, 0, 0},
        {EVENT_KEY_UP, 30, 0, 0, 0, window},
        {EVENT_KEY_UP, 29, 0, 0, 0, window},
    };
    EXPECT_EQ(got, want);
}
