// Win32Button: a "BUTTON" control, pushed, ticked or selected by the user. A
// click posts EVENT_GADGET_ACTION with the state after it; the control's
// other notifications are dropped.
#include "gui/button.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

DWORD buttonStyle(int style) {
    switch (style & 3) {
    case 2: return BS_AUTOCHECKBOX;
    case 3: return BS_AUTORADIOBUTTON;
    }
    return BS_PUSHBUTTON;
}

class Win32Button : public Win32Gadget<KrButton> {
public:
    Win32Button(KrGroup* group, int style) : Win32Gadget<KrButton>(group, style) {
        native_.bind(win32CreateControl(group, 0, "BUTTON", buttonStyle(style)), this, 0, this);
    }

    int state() override { return SendMessageA(native_.handle(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0; }

    void setState(int state) override {
        SendMessageA(native_.handle(), BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    }

    // WM_COMMAND arrives through the parent window with the parent's procedure.
    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        if (message != WM_COMMAND) return CallWindowProcA(previous, hwnd, message, wParam, lParam);
        // Raised last: the program may free the button as soon as it has it.
        if (HIWORD(wParam) == BN_CLICKED) emit(EVENT_GADGET_ACTION, state());
        return 0;
    }
};

} // namespace

KrButton* win32CreateButton(KrGroup* group, int style) { return new Win32Button(group, style); }
