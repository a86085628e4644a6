// Win32Hwnd, the binding of one native window to the gadget that owns it, and
// the common window procedure that every bound window runs through.
//
// Binding subclasses the window: its procedure becomes the common one, which
// finds the binding through a global map (native handle -> binding), turns
// key, button, wheel and (for screens and canvases) motion messages into
// events according to the binding's flags, and hands the message to the
// gadget procedure of the owning gadget (Win32WndProc), or else to the
// procedure that was there before.
//
// Events raised while the pump dispatches hand control to the program at
// once, and the program may free the gadget before control comes back; so
// nothing here touches a binding after raising an event without looking it up
// again.
#pragma once

#include <windows.h>

class KrEventSource;

// The gadget procedure of a gadget kind: messages of its bound windows.
class Win32WndProc {
public:
    virtual ~Win32WndProc() = default;
    // The base passes the message on to the previous procedure.
    virtual LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous);
};

enum : int {
    EventFlagKeysButtons = 0x100, // key, button and wheel events
    EventFlagMotion = 0x200,      // pointer motion, enter and leave events
};

class Win32Hwnd {
public:
    Win32Hwnd() = default;
    Win32Hwnd(const Win32Hwnd&) = delete;
    Win32Hwnd& operator=(const Win32Hwnd&) = delete;
    // Unbinds and destroys the window.
    ~Win32Hwnd();

    // Subclasses `hwnd` (unbinding a window held before) and records it in the
    // map. Messages go to `proc` (may be null); events name `source`.
    void bind(HWND hwnd, Win32WndProc* proc, int flags, KrEventSource* source);
    // Puts the previous procedure back and leaves the map; the window stays.
    void unbind();
    // Unbinds and destroys the window.
    void destroy();

    HWND handle() const { return hwnd_; }
    WNDPROC previous() const { return previous_; }
    Win32WndProc* proc() const { return proc_; }
    int flags() const { return flags_; }
    KrEventSource* source() const { return source_; }

    // The pointer shape shown over the client area: an index into the pointer
    // table, clamped to 0..6 (0 hides the pointer); shown at once when the
    // pointer is over the client area.
    void setPointerShape(int index);
    int pointerShape() const { return pointer_; }
    // Moves the pointer to client position (x, y), scaled from the logical
    // size when one is set.
    void movePointer(int x, int y);
    // Pointer positions are scaled from client pixels to this size while both
    // are non-zero; (0, 0) switches scaling off.
    void setLogicalSize(int width, int height);
    int lastX() const { return lastX_; }
    int lastY() const { return lastY_; }

    // The binding of a native window, or null.
    static Win32Hwnd* find(HWND hwnd);
    // The first bound window (in handle order) whose events name `source`.
    static HWND findBySource(const KrEventSource* source);

private:
    friend LRESULT CALLBACK win32CommonWindowProc(HWND, UINT, WPARAM, LPARAM);
    friend bool win32ProcessInput(HWND, UINT, WPARAM, LPARAM);

    HWND hwnd_ = nullptr;
    WNDPROC previous_ = nullptr;
    Win32WndProc* proc_ = nullptr;
    int flags_ = 0;
    KrEventSource* source_ = nullptr;
    int pointer_ = 1;
    int lastX_ = 0, lastY_ = 0;
    int logicalWidth_ = 0, logicalHeight_ = 0;
};

LRESULT CALLBACK win32CommonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The input half of the common procedure for a bound window: key, character,
// button, wheel and motion events by the binding's flags, the modifier state
// and the hot keys. False when the binding went away while an event was
// being delivered.
bool win32ProcessInput(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

// The name of the window class the driver registers for its own windows.
constexpr const char* kWin32WindowClass = "TANDREL_WINDOW_CLASS";
// Registers the class on first use and fills the pointer table.
const char* win32WindowClass();
// The module handle that the driver's windows are created with.
HINSTANCE win32Instance();

// The pointer of a table index (0..6; 0: none).
HCURSOR win32Pointer(int index);

// The binding whose window is under the pointer for motion tracking, or null.
Win32Hwnd* win32TrackedBinding();
void win32ClearTrackedBinding(Win32Hwnd* binding);
