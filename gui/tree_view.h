// KrTreeView and KrTreeViewNode: a hierarchy of text nodes shown by a tree
// view gadget.
//
// Every node is an object with its own handle; the program holds the one
// reference of each node it made (the tree view holds its invisible root).
// A node lists its children in creation order, also for inserted nodes, as
// plain pointers. Destroying a node destroys its subtree first, so the
// handles of every node below become invalid with it. The tree view keeps the
// selected node; a node that goes while selected hands the selection to the
// node the control selects instead, or clears it, so no freed node is ever
// handed out.
#pragma once

#include <vector>

#include "gui/gadget.h"

class KrString;
class KrTreeView;

class KrTreeViewNode : public KrObject {
public:
    static constexpr const char* kHandleName = "TreeView Node";

    // Joins the parent's children (null parent: a root).
    KrTreeViewNode(KrTreeView* tree, KrTreeViewNode* parent);
    // Releases the children, leaves the parent's list and tells the tree.
    ~KrTreeViewNode() override;
    // Marks the node as going before its destruction starts.
    void free() override;

    // Slots 3-8.
    virtual void select() = 0;
    virtual void expand() = 0;
    virtual void collapse() = 0;
    virtual void modify(KrString* text) = 0;
    // A new child after the last one (one reference, the caller's), or null
    // when the control refuses it.
    virtual KrTreeViewNode* add(KrString* text) = 0;
    // As add, shown at place `index` among the children (<= 0 first, at or
    // past the count last); the children list still gains it at its end.
    virtual KrTreeViewNode* insert(int index, KrString* text) = 0;

    // Releases every node below, each before its parent.
    void releaseChildren();

    KrTreeView* tree() const { return tree_; }
    KrTreeViewNode* parent() const { return parent_; }
    const std::vector<KrTreeViewNode*>& children() const { return children_; }
    int childCount() const { return static_cast<int>(children_.size()); }
    bool dying() const { return dying_; }

private:
    KrTreeView* tree_;
    KrTreeViewNode* parent_;
    std::vector<KrTreeViewNode*> children_;
    bool dying_ = false;
};

class KrTreeView : public KrGadget {
public:
    static constexpr const char* kHandleName = "TreeView Gadget";

    using KrGadget::KrGadget;

    // Slot 11: the invisible root node, made with the gadget.
    virtual KrTreeViewNode* root() = 0;
    // Slot 12: the selected node, or null.
    virtual KrTreeViewNode* selectedNode() { return selected_; }

    // The node the control now selects (the driver's notification).
    void storeSelected(KrTreeViewNode* node) { selected_ = node; }
    // A node of this tree is being destroyed: a selection on it passes to the
    // node the control selects instead, or is cleared.
    void nodeGone(KrTreeViewNode* node);
    // While the tree view itself goes, its nodes need no native work.
    bool closing() const { return closing_; }

protected:
    // The node of the control's own selection, or null.
    virtual KrTreeViewNode* nativeSelection() { return nullptr; }
    void beginClosing() {
        closing_ = true;
        selected_ = nullptr;
    }

private:
    KrTreeViewNode* selected_ = nullptr;
    bool closing_ = false;
};
