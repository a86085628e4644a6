#include "gui/window.h"

#include "gui/menu.h"
#include "lang/kr_string.h"

namespace {

KrWindow* theActiveWindow = nullptr;

} // namespace

KrWindow* activeWindow() { return theActiveWindow; }
void setActiveWindow(KrWindow* window) { theActiveWindow = window; }

KrWindow::KrWindow(KrGroup* group, int style) : KrGroup(group, style), menu_(new KrMenu(krEmptyString(), -1)) {}

KrWindow::~KrWindow() {
    if (theActiveWindow == this) theActiveWindow = nullptr;
    ::release(menu_);
}

void KrWindow::free() {
    if (!menu_->childrenReleasable()) {
        retain();
        runtimeError("Unable to release menu child");
    }
    KrGroup::free();
}
