// Win32ProgBar: a smooth "msctls_progress32" control over its default range
// 0..100.
#include <windows.h>

#include <commctrl.h>

#include "gui/prog_bar.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"

namespace {

class Win32ProgBar : public Win32Gadget<KrProgBar> {
public:
    Win32ProgBar(KrGroup* group, int style) : Win32Gadget<KrProgBar>(group, style) {
        native_.bind(win32CreateControl(group, 0, PROGRESS_CLASSA, PBS_SMOOTH), this, 0, this);
    }

    void setProgress(int position) override { SendMessageA(native_.handle(), PBM_SETPOS, position, 0); }
};

} // namespace

KrProgBar* win32CreateProgBar(KrGroup* group, int style) { return new Win32ProgBar(group, style); }
