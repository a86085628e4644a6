#include "gui/win32/win32_window.h"

#include "gui/menu.h"

namespace {

DWORD frameStyle(int style) {
    DWORD ws = (style & 1) ? WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN : WS_POPUP | WS_CLIPCHILDREN;
    if (style & 2) {
        ws |= WS_THICKFRAME;
        if (style & 1) ws |= WS_MINIMIZEBOX | WS_MAXIMIZEBOX;
    }
    return ws;
}

void appendItems(HMENU menu, const KrMenu* parent) {
    for (const KrMenu* item = parent->firstChild(); item; item = item->nextSibling()) {
        UINT flags = (item->checked() ? MF_CHECKED : 0) | (item->enabled() ? 0 : MF_GRAYED);
        const char* text = krText(item->text());
        if (item->firstChild())
            AppendMenuA(menu, MF_POPUP | flags, reinterpret_cast<UINT_PTR>(win32BuildMenu(item, false)), text);
        else if (item->text()->length() > 0)
            AppendMenuA(menu, MF_STRING | flags, static_cast<UINT_PTR>(static_cast<unsigned>(item->id())), text);
        else
            AppendMenuA(menu, MF_SEPARATOR, static_cast<UINT_PTR>(static_cast<unsigned>(item->id())), text);
    }
}

} // namespace

HMENU win32BuildMenu(const KrMenu* root, bool bar) {
    HMENU menu = bar ? CreateMenu() : CreatePopupMenu();
    appendItems(menu, root);
    return menu;
}

Win32Window::Win32Window(KrGroup* group, int style, HWND owner) : Win32Gadget<KrWindow>(group, style) {
    HMENU menuBar = nullptr;
    if (style & 4) {
        menuBar = CreateMenu();
        AppendMenuA(menuBar, MF_STRING, 0, "");
    }
    DWORD exStyle = (style & 16) ? WS_EX_TOOLWINDOW : 0;
    HWND frame = CreateWindowExA(exStyle, win32WindowClass(), "", frameStyle(style), 0, 0, 0, 0, owner, menuBar,
                                 win32Instance(), nullptr);
    native_.bind(frame, this, EventFlagKeysButtons, this);
    if (style & 8) {
        statusBar_ = CreateWindowExA(0, "msctls_statusbar32", "", WS_CHILD | WS_VISIBLE, 0, 0, 0, 0, frame, nullptr,
                                     win32Instance(), nullptr);
        HWND client = CreateWindowExA(0, win32WindowClass(), "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0,
                                      frame, nullptr, win32Instance(), nullptr);
        client_.bind(client, this, EventFlagKeysButtons, this);
    }
}

Win32Window::~Win32Window() {
    // The frame takes its menu bar, status bar and client child with it.
    client_.unbind();
    native_.destroy();
}

int Win32Window::query(int id) {
    return id == 1 || id == 2 ? static_cast<int>(reinterpret_cast<intptr_t>(clientWindow())) : 0;
}

int Win32Window::statusBarHeight() const {
    if (!statusBar_) return 0;
    RECT r;
    GetWindowRect(statusBar_, &r);
    return r.bottom - r.top;
}

void Win32Window::setShape(int x, int y, int width, int height) {
    if (style() & 32) {
        // The rectangle names the client area: grow it by the status bar, the
        // menu bar and the frame (with the extended style, as a tool
        // window's caption is lower).
        if (statusBar_) SendMessageA(statusBar_, WM_SIZE, 0, 0);
        RECT r = {x, y, x + width, y + height + statusBarHeight()};
        AdjustWindowRectEx(&r, static_cast<DWORD>(GetWindowLongA(frame(), GWL_STYLE)), GetMenu(frame()) != nullptr,
                           static_cast<DWORD>(GetWindowLongA(frame(), GWL_EXSTYLE)));
        x = r.left;
        y = r.top;
        width = r.right - r.left;
        height = r.bottom - r.top;
    }
    MoveWindow(frame(), x, y, width, height, TRUE);
    KrWindow::setShape(x, y, width, height);
}

void Win32Window::clientRect(int& x, int& y, int& width, int& height) { nativeClientRect(clientWindow(), x, y, width, height); }

void Win32Window::updateMenu() {
    HMENU old = GetMenu(frame());
    SetMenu(frame(), win32BuildMenu(menu(), true));
    if (old) DestroyMenu(old);
}

void Win32Window::activateWindow() {
    if (SetActiveWindow(frame()) != nullptr) setActiveWindow(this);
}

void Win32Window::setMinSize(int width, int height) {
    minTrackWidth_ = width;
    minTrackHeight_ = height;
}

void Win32Window::setStatusText(KrString* text) {
    if (statusBar_) SetWindowTextA(statusBar_, krText(text));
}

void Win32Window::minimise() {
    ShowWindow(frame(), SW_MINIMIZE);
    storeMinimised(true);
    storeMaximised(false);
}

void Win32Window::maximise() {
    ShowWindow(frame(), SW_SHOWMAXIMIZED);
    storeMaximised(true);
    storeMinimised(false);
}

void Win32Window::restore() {
    ShowWindow(frame(), SW_RESTORE);
    storeMinimised(false);
    storeMaximised(false);
}

void Win32Window::frameMoved() {
    RECT r;
    GetWindowRect(frame(), &r);
    KrWindow::setShape(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void Win32Window::frameSized(WPARAM kind) {
    if (kind == SIZE_RESTORED) {
        storeMinimised(false);
        storeMaximised(false);
    } else if (kind == SIZE_MINIMIZED) {
        storeMinimised(true);
        storeMaximised(false);
    } else if (kind == SIZE_MAXIMIZED) {
        storeMaximised(true);
        storeMinimised(false);
    }
    if (minimised()) return;
    if (statusBar_) {
        SendMessageA(statusBar_, WM_SIZE, 0, 0);
        RECT client;
        GetClientRect(frame(), &client);
        MoveWindow(client_.handle(), 0, 0, client.right, client.bottom - statusBarHeight(), TRUE);
    }
    frameMoved();
}

LRESULT Win32Window::gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) {
    // Each event is raised last: the program may free the window as soon as
    // it has it.
    switch (message) {
    case WM_MOVE:
        if (hwnd != frame()) break;
        // A minimised frame sits at its icon's place with no client area:
        // the shape and the gadgets stay as they were until it is restored.
        if (!IsIconic(frame())) frameMoved();
        emit(EVENT_WINDOW_MOVE, 0, x(), y());
        return 0;
    case WM_SIZE:
        if (hwnd != frame()) return 0;
        frameSized(wParam);
        emit(EVENT_WINDOW_SIZE, 0, width(), height());
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) break;
        // The default handling gives the activated frame the keyboard focus;
        // without it keys would reach no window of the program.
        CallWindowProcA(previous, hwnd, message, wParam, lParam);
        setActiveWindow(this);
        emit(EVENT_WINDOW_ACTIVATE);
        return 0;
    case WM_CLOSE: emit(EVENT_WINDOW_CLOSE); return 0;
    case WM_GETMINMAXINFO: {
        auto* info = reinterpret_cast<MINMAXINFO*>(lParam);
        info->ptMinTrackSize.x = minTrackWidth_;
        info->ptMinTrackSize.y = minTrackHeight_;
        return 0;
    }
    }
    return CallWindowProcA(previous, hwnd, message, wParam, lParam);
}
