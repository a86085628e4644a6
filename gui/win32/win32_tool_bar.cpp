// Win32ToolBar: a flat, transparent "ToolbarWindow32" control with one button
// per icon of its icon strip, and a tooltip window for its tips.
//
// Button i shows icon i and has command id i + 1; pressing it posts
// EVENT_GADGET_ACTION with i. Attaching a strip replaces the buttons, then
// the bar sizes itself and its stored shape becomes that of its native
// window (in its group's client coordinates). Tips are tools of the tooltip
// window over each button's rectangle.
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "gui/icon_strip.h"
#include "gui/simple_gadget_rules.h"
#include "gui/tool_bar.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

class Win32ToolBar : public Win32Gadget<KrToolBar> {
public:
    Win32ToolBar(KrGroup* group, int style) : Win32Gadget<KrToolBar>(group, style) {
        HWND hwnd = win32CreateControl(group, 0, TOOLBARCLASSNAMEA, TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
        native_.bind(hwnd, this, 0, this);
        SendMessageA(hwnd, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    }

    ~Win32ToolBar() override {
        if (tips_) DestroyWindow(tips_);
    }

    // A strip without an image list (not made by this driver, or without
    // icons) is ignored.
    void setIconStrip(KrIconStrip* strip) override {
        HIMAGELIST list = strip ? win32ImageList(strip) : nullptr;
        if (!list) return;
        HWND hwnd = native_.handle();
        // The buttons of an earlier strip go, so that ids and indices stay
        // those of the icons shown.
        while (SendMessageA(hwnd, TB_BUTTONCOUNT, 0, 0) > 0)
            if (!SendMessageA(hwnd, TB_DELETEBUTTON, 0, 0)) break;
        SendMessageA(hwnd, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list));
        const int count = strip->iconCount();
        std::vector<TBBUTTON> buttons(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) {
            buttons[i].iBitmap = i;
            buttons[i].idCommand = i + 1;
            buttons[i].fsState = TBSTATE_ENABLED;
            buttons[i].fsStyle = TBSTYLE_BUTTON;
        }
        SendMessageA(hwnd, TB_ADDBUTTONSA, static_cast<WPARAM>(count), reinterpret_cast<LPARAM>(buttons.data()));
        buttonCount_ = count;
        SendMessageA(hwnd, TB_AUTOSIZE, 0, 0);
        RECT r;
        GetWindowRect(hwnd, &r);
        MapWindowPoints(nullptr, GetParent(hwnd), reinterpret_cast<POINT*>(&r), 2);
        storeShape(r.left, r.top, r.right - r.left, r.bottom - r.top);
        KrToolBar::setIconStrip(strip);
    }

    void enableItem(int index, bool enabled) override {
        SendMessageA(native_.handle(), TB_ENABLEBUTTON, static_cast<WPARAM>(index) + 1, MAKELONG(enabled ? 1 : 0, 0));
    }

    void setTips(KrString* text) override {
        HWND hwnd = native_.handle();
        if (tips_) DestroyWindow(tips_);
        tips_ = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd, nullptr, win32Instance(), nullptr);
        if (!tips_) return;
        LRESULT size = SendMessageA(hwnd, TB_GETBUTTONSIZE, 0, 0);
        const int width = LOWORD(size), height = HIWORD(size);
        auto pieces = toolTipPieces(std::string_view(krText(text), static_cast<size_t>(krLength(text))), buttonCount_);
        for (size_t i = 0; i < pieces.size(); ++i) {
            std::string piece(pieces[i]);
            TOOLINFOA tool = {};
            tool.cbSize = TTTOOLINFOA_V2_SIZE;
            tool.uFlags = TTF_SUBCLASS;
            tool.hwnd = hwnd;
            tool.uId = i;
            const int left = static_cast<int>(i) * width;
            tool.rect = {left, 0, left + width, height};
            tool.lpszText = piece.data();
            SendMessageA(tips_, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
    }

    // Button presses arrive through the parent window as WM_COMMAND.
    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        if (message != WM_COMMAND) return CallWindowProcA(previous, hwnd, message, wParam, lParam);
        emit(EVENT_GADGET_ACTION, static_cast<int>(LOWORD(wParam)) - 1);
        return 0;
    }

private:
    int buttonCount_ = 0;
    HWND tips_ = nullptr;
};

} // namespace

KrToolBar* win32CreateToolBar(KrGroup* group, int style) { return new Win32ToolBar(group, style); }
