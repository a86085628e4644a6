// Win32Window: a window's frame of the driver's class, with an optional native
// menu bar, status bar and client child.
//
// Without a status bar the frame itself is the client area; with one, a
// client child of the driver's class fills the frame above the status bar and
// holds the gadgets. Frame and client child are both bound with key and
// button events and the window as source.
#pragma once

#include "gui/window.h"
#include "gui/win32/win32_gadget.h"

class Win32Window : public Win32Gadget<KrWindow> {
public:
    // Creates the native windows, hidden, at 0,0,0,0. `owner` is the native
    // window that owns the frame, or null.
    Win32Window(KrGroup* group, int style, HWND owner);
    ~Win32Window() override;

    int query(int id) override;
    void setShape(int x, int y, int width, int height) override;
    void clientRect(int& x, int& y, int& width, int& height) override;

    void updateMenu() override;
    void activateWindow() override;
    void setMinSize(int width, int height) override;
    void setStatusText(KrString* text) override;
    void minimise() override;
    void maximise() override;
    void restore() override;

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override;

    HWND frame() const { return native_.handle(); }
    HWND clientWindow() const { return client_.handle() ? client_.handle() : native_.handle(); }
    HWND statusBar() const { return statusBar_; }

private:
    void frameMoved();
    void frameSized(WPARAM kind);
    int statusBarHeight() const;

    int minTrackWidth_ = 0;
    int minTrackHeight_ = 0;
    Win32Hwnd client_;
    HWND statusBar_ = nullptr;
};

// Builds a native menu from a menu item's children: the root as a menu bar,
// sub-menus as pop-up menus.
HMENU win32BuildMenu(const KrMenu* root, bool bar);
