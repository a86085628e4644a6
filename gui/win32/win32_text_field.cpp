// Win32TextField: an "EDIT" control of one line (ES_PASSWORD for style bit 1).
//
// Enter posts EVENT_GADGET_ACTION with 13 and is kept from the control, so it
// neither beeps nor inserts anything. Every other character typed is
// remembered (one value for all text fields) and each change of the contents
// posts it. Setting the text puts the user's selection back afterwards.
#include <string>

#include "gui/text_field.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

int lastCharacter = 0;

class Win32TextField : public Win32Gadget<KrTextField> {
public:
    Win32TextField(KrGroup* group, int style) : Win32Gadget<KrTextField>(group, style) {
        DWORD ws = WS_TABSTOP | ES_AUTOHSCROLL | ((style & 1) ? ES_PASSWORD : 0);
        native_.bind(win32CreateControl(group, WS_EX_CLIENTEDGE, "EDIT", ws), this, 0, this);
    }

    KrString* contents() override {
        HWND hwnd = native_.handle();
        LRESULT length = SendMessageA(hwnd, WM_GETTEXTLENGTH, 0, 0);
        if (length <= 0) return krNewEmptyString();
        std::string buffer(static_cast<size_t>(length) + 1, '\0');
        LRESULT got = SendMessageA(hwnd, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()));
        if (got < 0) got = 0;
        if (got > length) got = length;
        return krNewString(buffer.data(), static_cast<int>(got));
    }

    void setText(KrString* text) override {
        DWORD start = 0, end = 0;
        SendMessageA(native_.handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
        Win32Gadget<KrTextField>::setText(text);
        SendMessageA(native_.handle(), EM_SETSEL, start, end);
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        switch (message) {
        case WM_CHAR:
            if (wParam == '\r') {
                emit(EVENT_GADGET_ACTION, 13);
                return 0;
            }
            lastCharacter = static_cast<int>(wParam);
            break;
        // Notifications arrive through the parent window.
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_UPDATE) emit(EVENT_GADGET_ACTION, lastCharacter);
            return 0;
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }
};

} // namespace

KrTextField* win32CreateTextField(KrGroup* group, int style) { return new Win32TextField(group, style); }
