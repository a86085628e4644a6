// Win32Desktop: the desktop group, standing for the platform's desktop window.
//
// The desktop window belongs to the platform, not to this program: it is only
// looked at, never subclassed or destroyed, and every slot that would change
// it does nothing.
#include "gui/desktop.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

class Win32Desktop : public KrDesktop {
public:
    Win32Desktop() : hwnd_(GetDesktopWindow()) {
        RECT r = {};
        GetWindowRect(hwnd_, &r);
        placeDesktop(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }

    int query(int id) override { return id == 1 || id == 2 ? static_cast<int>(reinterpret_cast<intptr_t>(hwnd_)) : 0; }
    void setFont(KrFont*) override {}
    void setText(KrString*) override {}
    void setVisible(bool) override {}
    void setEnabled(bool) override {}
    void activate() override {}

    void clientRect(int& x, int& y, int& width, int& height) override {
        RECT r = {};
        GetClientRect(hwnd_, &r);
        x = r.left;
        y = r.top;
        width = r.right - r.left;
        height = r.bottom - r.top;
    }

private:
    HWND hwnd_;
};

} // namespace

KrDesktop* win32CreateDesktop() { return new Win32Desktop; }
