// KrWindow: the top-level group of the gadget tree, with a frame, a menu tree,
// an optional status bar and its minimised/maximised state.
//
// A window never re-places itself when its group changes size: a window made
// with another window as group is owned by it but keeps screen coordinates.
// One global names the active window; destroying that window clears it.
#pragma once

#include "gui/group.h"

class KrMenu;

class KrWindow : public KrGroup {
public:
    static constexpr const char* kHandleName = "Window Gadget";

    KrWindow(KrGroup* group, int style);
    ~KrWindow() override;

    // Also refuses while a menu item below the root is referenced elsewhere.
    void free() override;

    void applyLayout() override {}

    // Slots 13-19.
    virtual void updateMenu() = 0;
    virtual void activateWindow() = 0;
    virtual void setMinSize(int width, int height) = 0;
    virtual void setStatusText(KrString* text) = 0;
    virtual void minimise() = 0;
    virtual void maximise() = 0;
    virtual void restore() = 0;

    KrMenu* menu() const { return menu_; }
    bool minimised() const { return minimised_; }
    bool maximised() const { return maximised_; }

protected:
    void storeMinimised(bool value) { minimised_ = value; }
    void storeMaximised(bool value) { maximised_ = value; }

private:
    KrMenu* menu_;
    bool minimised_ = false;
    bool maximised_ = false;
};

KrWindow* activeWindow();
void setActiveWindow(KrWindow* window);
