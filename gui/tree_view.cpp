#include "gui/tree_view.h"

#include <algorithm>
#include <iterator>

KrTreeViewNode::KrTreeViewNode(KrTreeView* tree, KrTreeViewNode* parent) : tree_(tree), parent_(parent) {
    if (parent) parent->children_.push_back(this);
}

KrTreeViewNode::~KrTreeViewNode() {
    releaseChildren();
    if (parent_) {
        // Searched from the end: subtrees go last child first.
        auto& list = parent_->children_;
        auto it = std::find(list.rbegin(), list.rend(), this);
        if (it != list.rend()) list.erase(std::next(it).base());
    }
    if (tree_) tree_->nodeGone(this);
}

void KrTreeViewNode::free() {
    dying_ = true;
    KrObject::free();
}

void KrTreeViewNode::releaseChildren() {
    // Every node below, each after all of its own descendants (the reverse of
    // a pre-order walk), so each one goes without children left to release:
    // no recursion, however deep the tree.
    std::vector<KrTreeViewNode*> below;
    std::vector<KrTreeViewNode*> pending(children_.begin(), children_.end());
    while (!pending.empty()) {
        KrTreeViewNode* node = pending.back();
        pending.pop_back();
        below.push_back(node);
        pending.insert(pending.end(), node->children_.begin(), node->children_.end());
    }
    // Each node's destruction takes it off its parent's list.
    for (auto it = below.rbegin(); it != below.rend(); ++it) {
        if ((*it)->refs() != 1) internalError("Tree view node held twice");
        (*it)->release();
    }
}

void KrTreeView::nodeGone(KrTreeViewNode* node) {
    if (selected_ != node || closing_) return;
    // A going ancestor may be taken: its own destruction comes later and
    // passes the selection on again.
    KrTreeViewNode* next = nativeSelection();
    selected_ = next != node ? next : nullptr;
}
