// KrGroup: a gadget with a client area that holds child gadgets (windows,
// panels, tabbers, canvases, the desktop).
//
// The group keeps the last client rectangle it read and its children in
// creation order, as plain pointers: each child is referenced by the program
// that made it. Resizing the group re-places the children when the client
// size changed; freeing it frees every child first, depth first.
#pragma once

#include <vector>

#include "gui/gadget.h"

class KrGroup : public KrGadget {
public:
    static constexpr const char* kHandleName = "Group Gadget";

    KrGroup(KrGroup* group, int style) : KrGadget(group, style) {}
    ~KrGroup() override;

    // Refuses (runtime error) while a gadget of the tree below is referenced
    // elsewhere, before anything is torn down; then frees the children, then
    // the group itself.
    void free() override;

    // Stores the shape and reads the client rectangle; re-places the children
    // when the client width or height changed. Concrete groups move their
    // native window first and then call this.
    void setShape(int x, int y, int width, int height) override;
    // Slot 11: applyLayout on every child, in list order.
    virtual void layoutChildren();
    // Slot 12: the client area in the group's own coordinates.
    virtual void clientRect(int& x, int& y, int& width, int& height) = 0;

    int clientX() const { return clientX_; }
    int clientY() const { return clientY_; }
    int clientWidth() const { return clientWidth_; }
    int clientHeight() const { return clientHeight_; }
    const std::vector<KrGadget*>& children() const { return children_; }

protected:
    // Releases the children one by one, first to last.
    void releaseChildren();
    // True when no gadget below this group is referenced more than once.
    bool childrenReleasable() const;

private:
    friend class KrGadget;

    int clientX_ = 0, clientY_ = 0, clientWidth_ = 0, clientHeight_ = 0;
    std::vector<KrGadget*> children_;
};
