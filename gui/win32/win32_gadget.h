// Win32Gadget<Kind>: the behaviour every Windows gadget class shares, on top of
// the platform-free class of its kind and the gadget procedure.
//
// The gadget's main native window is bound in `native_`. Each slot does the
// native work and then stores the value: fonts of the Windows font driver are
// sent with WM_SETFONT (others are only stored), text goes through
// SetWindowTextA, the shape through MoveWindow (a group then reads its client
// area and re-places its children), visibility through ShowWindow, enabling
// through EnableWindow, activation through SetFocus. Query ids 1 and 2 give
// the native handle.
#pragma once

#include <type_traits>

#include "gui/group.h"
#include "gui/win32/win32_hwnd.h"
#include "lang/kr_string.h"

// The platform font of a font object made by the Windows font driver, or null.
HFONT win32NativeFont(KrFont* font);

// The native window of a gadget control: a hidden child of the group's client
// area (the window its query(2) names) at 0,0,0,0 with an empty title.
inline HWND win32CreateControl(KrGroup* group, DWORD exStyle, const char* className, DWORD style) {
    HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(group->query(2)));
    return CreateWindowExA(exStyle, className, "", WS_CHILD | style, 0, 0, 0, 0, parent, nullptr, win32Instance(),
                           nullptr);
}

template <typename Kind>
class Win32Gadget : public Kind, public Win32WndProc {
public:
    Win32Gadget(KrGroup* group, int style) : Kind(group, style) {}

    int query(int id) override {
        return id == 1 || id == 2 ? static_cast<int>(reinterpret_cast<intptr_t>(native_.handle())) : 0;
    }

    void setFont(KrFont* font) override {
        if (HFONT native = win32NativeFont(font))
            SendMessageA(native_.handle(), WM_SETFONT, reinterpret_cast<WPARAM>(native), TRUE);
        this->storeFont(font);
    }

    void setText(KrString* text) override {
        SetWindowTextA(native_.handle(), krText(text));
        this->storeText(text);
    }

    void setShape(int x, int y, int width, int height) override {
        MoveWindow(native_.handle(), x, y, width, height, TRUE);
        if constexpr (std::is_base_of_v<KrGroup, Kind>)
            Kind::setShape(x, y, width, height);
        else
            this->storeShape(x, y, width, height);
    }

    void setVisible(bool visible) override {
        ShowWindow(native_.handle(), visible ? SW_SHOW : SW_HIDE);
        this->storeVisible(visible);
    }

    void setEnabled(bool enabled) override {
        EnableWindow(native_.handle(), enabled);
        this->storeEnabled(enabled);
    }

    void activate() override { SetFocus(native_.handle()); }

protected:
    // Reads the client rectangle of a native window into a group's fields.
    static void nativeClientRect(HWND hwnd, int& x, int& y, int& width, int& height) {
        RECT r = {};
        GetClientRect(hwnd, &r);
        x = r.left;
        y = r.top;
        width = r.right - r.left;
        height = r.bottom - r.top;
    }

    Win32Hwnd native_;
};
