#include "gui/tree_view.h"

#include <algorithm>

KrTreeViewNode::KrTreeViewNode(KrTreeView* tree, KrTreeViewNode* parent) : tree_(tree), parent_(parent) {
    if (parent) parent->children_.push_back(this);
}

KrTreeViewNode::~KrTreeViewNode() {
    releaseChildren();
    if (parent_) {
        auto& list = parent_->children_;
        auto it = std::find(list.begin(), list.end(), this);
        if (it != list.end()) list.erase(it);
    }
    if (tree_) tree_->nodeGone(this);
}

void KrTreeViewNode::free() {
    dying_ = true;
    KrObject::free();
}

void KrTreeViewNode::releaseChildren() {
    // Each child's destruction takes it off the list.
    while (!children_.empty()) {
        KrTreeViewNode* child = children_.front();
        if (child->refs() != 1) internalError("Tree view node held twice");
        child->release();
    }
}

void KrTreeView::nodeGone(KrTreeViewNode* node) {
    if (selected_ != node || closing_) return;
    // A going ancestor may be taken: its own destruction comes later and
    // passes the selection on again.
    KrTreeViewNode* next = nativeSelection();
    selected_ = next != node ? next : nullptr;
}
