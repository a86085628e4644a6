// Win32Panel: a panel is a child window of the driver's class, bound with key
// and button events and itself as source.
#include "gui/panel.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

class Win32Panel : public Win32Gadget<KrPanel> {
public:
    Win32Panel(KrGroup* group, int style) : Win32Gadget<KrPanel>(group, style) {
        HWND parent = reinterpret_cast<HWND>(static_cast<intptr_t>(group->query(2)));
        HWND hwnd = CreateWindowExA((style & 1) ? WS_EX_CLIENTEDGE : 0, win32WindowClass(), "", WS_CHILD | WS_CLIPCHILDREN,
                                    0, 0, 0, 0, parent, nullptr, win32Instance(), nullptr);
        native_.bind(hwnd, this, EventFlagKeysButtons, this);
    }

    void clientRect(int& x, int& y, int& width, int& height) override {
        nativeClientRect(native_.handle(), x, y, width, height);
    }
};

} // namespace

KrPanel* win32CreatePanel(KrGroup* group, int style) { return new Win32Panel(group, style); }
