#include "gui/group.h"

namespace {

bool treeReleasable(const KrGroup& group) {
    for (KrGadget* child : group.children()) {
        if (child->refs() > 1) return false;
        if (auto* sub = dynamic_cast<KrGroup*>(child); sub && !treeReleasable(*sub)) return false;
    }
    return true;
}

} // namespace

KrGroup::~KrGroup() {
    // Groups destroyed directly (by an owner or a module) rather than through
    // free still take their children with them.
    releaseChildren();
}

bool KrGroup::childrenReleasable() const { return treeReleasable(*this); }

void KrGroup::free() {
    // Checked over the whole tree before anything goes, so a refused free
    // leaves every gadget as it was and the program's reference intact.
    if (!childrenReleasable()) {
        retain();
        runtimeError("Error removing child gadget");
    }
    releaseChildren();
    KrGadget::free();
}

void KrGroup::releaseChildren() {
    while (!children_.empty()) {
        KrGadget* child = children_.front();
        if (child->refs() > 1) runtimeError("Error removing child gadget");
        // Its destruction takes it off the list.
        child->release();
    }
}

void KrGroup::setShape(int x, int y, int width, int height) {
    storeShape(x, y, width, height);
    int oldWidth = clientWidth_, oldHeight = clientHeight_;
    clientRect(clientX_, clientY_, clientWidth_, clientHeight_);
    if (clientWidth_ != oldWidth || clientHeight_ != oldHeight) layoutChildren();
}

void KrGroup::layoutChildren() {
    for (size_t i = 0; i < children_.size(); ++i) children_[i]->applyLayout();
}
