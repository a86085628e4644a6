// Win32Slider: a "SCROLLBAR" control (SBS_HORZ for style & 3 = 1, else
// SBS_VERT) whose position is the slider's value.
//
// The control moves only when told: each scroll request is turned into a
// position (arrows by one, the trough by a page, the thumb to its track
// position), set with redraw, and the position the control kept (clamped to
// its range) is posted with EVENT_GADGET_ACTION. Pressing the mouse on the
// slider posts EVENT_MODAL_BEGIN, since the control then runs its own loop
// until the button is let go; the end of a thumb drag posts EVENT_MODAL_END.
#include "events/event_filter.h"
#include "gui/simple_gadget_rules.h"
#include "gui/slider.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

void postGlobal(int id) { postEvent(EventRecord{id, 0, 0, 0, 0, 0}); }

SCROLLINFO scrollInfo(UINT mask) {
    SCROLLINFO info = {};
    info.cbSize = sizeof info;
    info.fMask = mask;
    return info;
}

class Win32Slider : public Win32Gadget<KrSlider> {
public:
    Win32Slider(KrGroup* group, int style) : Win32Gadget<KrSlider>(group, style) {
        DWORD ws = (style & 3) == 1 ? SBS_HORZ : SBS_VERT;
        native_.bind(win32CreateControl(group, 0, "SCROLLBAR", ws), this, 0, this);
    }

    int state() override { return GetScrollPos(native_.handle(), SB_CTL); }

    void setState(int value) override {
        SCROLLINFO info = scrollInfo(SIF_POS);
        info.nPos = value;
        SetScrollInfo(native_.handle(), SB_CTL, &info, TRUE);
    }

    void setRange(int visible, int total) override {
        SliderRange range = sliderRange(visible, total);
        SCROLLINFO info = scrollInfo(SIF_RANGE | SIF_PAGE);
        info.nMin = range.min;
        info.nMax = range.max;
        info.nPage = range.page;
        SetScrollInfo(native_.handle(), SB_CTL, &info, TRUE);
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        switch (message) {
        // A quick second press arrives as a double click and starts the
        // control's loop all the same.
        case WM_LBUTTONDOWN:
        case WM_LBUTTONDBLCLK:
            postGlobal(EVENT_MODAL_BEGIN);
            // The program may have freed the slider while it had the event.
            if (!Win32Hwnd::find(hwnd)) return 0;
            break;
        // Scroll requests arrive through the parent window.
        case WM_HSCROLL:
        case WM_VSCROLL: return scroll(LOWORD(wParam), HIWORD(wParam));
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

private:
    LRESULT scroll(int code, int messagePosition) {
        HWND bar = native_.handle();
        SCROLLINFO info = scrollInfo(SIF_ALL);
        GetScrollInfo(bar, SB_CTL, &info);
        int track = sliderTrackPosition(info.nTrackPos, messagePosition);
        int target = 0;
        if (!sliderScrollTarget(code, info.nPos, static_cast<int>(info.nPage), track, target)) return 0;
        if (code == SB_THUMBPOSITION) {
            postGlobal(EVENT_MODAL_END);
            if (!Win32Hwnd::find(bar)) return 0;
        }
        SetScrollPos(bar, SB_CTL, target, TRUE);
        // Raised last: the program may free the slider as soon as it has it.
        emit(EVENT_GADGET_ACTION, GetScrollPos(bar, SB_CTL));
        return 0;
    }
};

} // namespace

KrSlider* win32CreateSlider(KrGroup* group, int style) { return new Win32Slider(group, style); }
