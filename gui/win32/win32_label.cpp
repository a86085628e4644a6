// Win32Label: a "STATIC" control. Style & 3: 1 adds a thin border, 2 a
// raised edge, 3 a sunken edge.
#include "gui/label.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

class Win32Label : public Win32Gadget<KrLabel> {
public:
    Win32Label(KrGroup* group, int style) : Win32Gadget<KrLabel>(group, style) {
        const int kind = style & 3;
        DWORD exStyle = kind == 2 ? WS_EX_WINDOWEDGE : kind == 3 ? WS_EX_CLIENTEDGE : 0;
        native_.bind(win32CreateControl(group, exStyle, "STATIC", kind == 1 ? WS_BORDER : 0), this, 0, this);
    }
};

} // namespace

KrLabel* win32CreateLabel(KrGroup* group, int style) { return new Win32Label(group, style); }
