// Bindings of native windows, the map that finds them, the window class of the
// driver's own windows and the common window procedure.
#include "gui/win32/win32_hwnd.h"

#include <map>

#include "events/event_filter.h"

namespace {

std::map<HWND, Win32Hwnd*>& bindings() {
    static std::map<HWND, Win32Hwnd*> map;
    return map;
}

HCURSOR pointerTable[7];

int clampPointer(int index) { return index < 0 ? 0 : index > 6 ? 6 : index; }

void postGlobal(int id, int data = 0) { postEvent(EventRecord{id, data, 0, 0, 0, 0}); }

} // namespace

LRESULT Win32WndProc::gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) {
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

HINSTANCE win32Instance() {
    // The module that holds this code: the runtime library, or a packed
    // program's executable, or a test executable.
    static HINSTANCE instance = [] {
        HMODULE module = nullptr;
        GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(&win32Instance), &module);
        return static_cast<HINSTANCE>(module);
    }();
    return instance;
}

const char* win32WindowClass() {
    static bool registered = false;
    pointerTable[0] = nullptr;
    pointerTable[1] = LoadCursorA(nullptr, IDC_ARROW);
    pointerTable[2] = LoadCursorA(nullptr, IDC_IBEAM);
    pointerTable[3] = LoadCursorA(nullptr, IDC_SIZEWE);
    pointerTable[4] = LoadCursorA(nullptr, IDC_SIZENS);
    pointerTable[5] = LoadCursorA(nullptr, IDC_SIZENWSE);
    pointerTable[6] = LoadCursorA(nullptr, IDC_CROSS);
    if (!registered) {
        WNDCLASSA wc = {};
        wc.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
        wc.lpfnWndProc = win32CommonWindowProc;
        wc.hInstance = win32Instance();
        wc.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
        wc.hCursor = pointerTable[1];
        wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        wc.lpszClassName = kWin32WindowClass;
        // A class left registered by an earlier run in this process is reused.
        registered = RegisterClassA(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    }
    return kWin32WindowClass;
}

HCURSOR win32Pointer(int index) { return pointerTable[clampPointer(index)]; }

Win32Hwnd* Win32Hwnd::find(HWND hwnd) {
    auto& map = bindings();
    auto it = map.find(hwnd);
    return it == map.end() ? nullptr : it->second;
}

HWND Win32Hwnd::findBySource(const KrEventSource* source) {
    for (const auto& [hwnd, binding] : bindings())
        if (binding->source_ == source) return hwnd;
    return nullptr;
}

Win32Hwnd::~Win32Hwnd() { destroy(); }

void Win32Hwnd::bind(HWND hwnd, Win32WndProc* proc, int flags, KrEventSource* source) {
    unbind();
    proc_ = proc;
    flags_ = flags;
    source_ = source;
    if (!hwnd) return;
    hwnd_ = hwnd;
    auto previous = reinterpret_cast<WNDPROC>(
        SetWindowLongA(hwnd, GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(&win32CommonWindowProc))));
    previous_ = previous == &win32CommonWindowProc || !previous ? &DefWindowProcA : previous;
    bindings()[hwnd] = this;
}

void Win32Hwnd::unbind() {
    if (!hwnd_) return;
    auto& map = bindings();
    auto it = map.find(hwnd_);
    if (it != map.end() && it->second == this) map.erase(it);
    // Windows of the driver's own class keep the common procedure, which
    // passes the messages of unbound windows to DefWindowProcA.
    if (previous_ != &DefWindowProcA)
        SetWindowLongA(hwnd_, GWL_WNDPROC, static_cast<LONG>(reinterpret_cast<LONG_PTR>(previous_)));
    hwnd_ = nullptr;
    previous_ = nullptr;
}

void Win32Hwnd::destroy() {
    win32ClearTrackedBinding(this);
    HWND hwnd = hwnd_;
    unbind();
    if (hwnd) DestroyWindow(hwnd);
}

void Win32Hwnd::setPointerShape(int index) {
    pointer_ = clampPointer(index);
    if (!hwnd_) return;
    POINT at;
    if (!GetCursorPos(&at)) return;
    LRESULT hit = SendMessageA(hwnd_, WM_NCHITTEST, 0, MAKELPARAM(at.x, at.y));
    if (hit == HTCLIENT) SendMessageA(hwnd_, WM_SETCURSOR, reinterpret_cast<WPARAM>(hwnd_), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
}

void Win32Hwnd::movePointer(int x, int y) {
    if (!hwnd_) return;
    if (logicalWidth_ != 0 && logicalHeight_ != 0) {
        RECT client;
        GetClientRect(hwnd_, &client);
        x = x * client.right / logicalWidth_;
        y = y * client.bottom / logicalHeight_;
    }
    POINT at{x, y};
    ClientToScreen(hwnd_, &at);
    SetCursorPos(at.x, at.y);
}

void Win32Hwnd::setLogicalSize(int width, int height) {
    logicalWidth_ = width;
    logicalHeight_ = height;
}

namespace {

// Set while a wheel message that a binding has posted goes on through the
// default handling.
bool wheelPosted = false;

// The target's gadget procedure, or else the receiving binding's previous
// procedure.
LRESULT passOn(Win32Hwnd* self, Win32Hwnd* target, HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WNDPROC previous = self->previous();
    if (target && target->proc()) return target->proc()->gadgetProc(hwnd, message, wParam, lParam, previous);
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK win32CommonWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    Win32Hwnd* self = Win32Hwnd::find(hwnd);
    if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
    Win32Hwnd* target = self;
    switch (message) {
    case WM_ACTIVATEAPP:
        postGlobal(wParam ? EVENT_APP_RESUME : EVENT_APP_SUSPEND);
        // The program may have freed the window meanwhile.
        if (!(self = target = Win32Hwnd::find(hwnd))) return DefWindowProcA(hwnd, message, wParam, lParam);
        break;
    case WM_SETCURSOR:
        if (reinterpret_cast<HWND>(wParam) == hwnd && LOWORD(lParam) == HTCLIENT && self->pointer_ != 1) {
            SetCursor(win32Pointer(self->pointer_));
            return 1;
        }
        break;
    case WM_NOTIFY: target = Win32Hwnd::find(reinterpret_cast<NMHDR*>(lParam)->hwndFrom); break;
    case WM_COMMAND:
        if (lParam == 0) {
            postGlobal(EVENT_MENU_ACTION, LOWORD(wParam));
            return 0;
        }
        target = Win32Hwnd::find(reinterpret_cast<HWND>(lParam));
        break;
    case WM_HSCROLL:
    case WM_VSCROLL: target = Win32Hwnd::find(reinterpret_cast<HWND>(lParam)); break;
    case WM_ENTERMENULOOP:
    case WM_ENTERSIZEMOVE: postGlobal(EVENT_MODAL_BEGIN); return 0;
    case WM_EXITMENULOOP:
    case WM_EXITSIZEMOVE: postGlobal(EVENT_MODAL_END); return 0;
    default:
        // The default handling of a wheel message hands it on to the parent
        // window: a notch that one binding has posted is not posted again.
        if (message == WM_MOUSEWHEEL && wheelPosted) break;
        if (!win32ProcessInput(hwnd, message, wParam, lParam)) return DefWindowProcA(hwnd, message, wParam, lParam);
        self = target = Win32Hwnd::find(hwnd);
        if (!self) return DefWindowProcA(hwnd, message, wParam, lParam);
        if (message == WM_MOUSEWHEEL && (self->flags() & EventFlagKeysButtons)) {
            wheelPosted = true;
            LRESULT result = passOn(self, target, hwnd, message, wParam, lParam);
            wheelPosted = false;
            return result;
        }
        break;
    }
    return passOn(self, target, hwnd, message, wParam, lParam);
}
