// Win32TreeView and Win32TreeViewNode: a tree view is a "SysTreeView32" with
// buttons and lines; each node is one native item, whose item parameter names
// the node (the invisible root stands for TVI_ROOT). A selection change
// stores the newly selected node and posts EVENT_GADGET_ACTION with data 0.
//
// A node goes leaves first: its children delete their items before it
// deletes its own, so no node is left holding an item the control has
// already deleted with an ancestor.
#include <windows.h>

#include <commctrl.h>

#include "gui/tree_view.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"
#include "gui/win32/win32_item_list.h"

namespace {

class Win32TreeViewNode : public KrTreeViewNode {
public:
    Win32TreeViewNode(KrTreeView* tree, KrTreeViewNode* parent, HWND control, HTREEITEM item)
        : KrTreeViewNode(tree, parent), control_(control), item_(item) {}

    ~Win32TreeViewNode() override {
        releaseChildren();
        // The root's item is the control's own; a closing tree view's control
        // goes with all its items.
        if (item_ && item_ != TVI_ROOT && !tree()->closing())
            SendMessageA(control_, TVM_DELETEITEM, 0, reinterpret_cast<LPARAM>(item_));
    }

    void select() override {
        if (item_) SendMessageA(control_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(item_));
    }

    void expand() override { SendMessageA(control_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(item_)); }
    void collapse() override { SendMessageA(control_, TVM_EXPAND, TVE_COLLAPSE, reinterpret_cast<LPARAM>(item_)); }

    void modify(KrString* text) override {
        TVITEMA item = {};
        item.mask = TVIF_HANDLE | TVIF_TEXT;
        item.hItem = item_;
        item.pszText = const_cast<char*>(krText(text));
        SendMessageA(control_, TVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }

    KrTreeViewNode* add(KrString* text) override { return insertAfter(TVI_LAST, text); }

    KrTreeViewNode* insert(int index, KrString* text) override {
        if (index <= 0) return insertAfter(TVI_FIRST, text);
        if (index >= childCount()) return insertAfter(TVI_LAST, text);
        // After the sibling shown at place index - 1. The root's first child
        // is the control's first top-level item.
        HTREEITEM after = item_ == TVI_ROOT ? nextItem(TVGN_ROOT, nullptr) : nextItem(TVGN_CHILD, item_);
        for (int i = 1; i < index && after; ++i) after = nextItem(TVGN_NEXT, after);
        return insertAfter(after ? after : TVI_LAST, text);
    }

private:
    HTREEITEM nextItem(UINT relation, HTREEITEM item) const {
        return reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }

    // A new child node whose item sits after `after` and names the node as
    // its parameter; null (and no node) when the control makes no item.
    KrTreeViewNode* insertAfter(HTREEITEM after, KrString* text) {
        auto* node = new Win32TreeViewNode(tree(), this, control_, nullptr);
        TVINSERTSTRUCTA insert = {};
        insert.hParent = item_;
        insert.hInsertAfter = after;
        insert.item.mask = TVIF_TEXT | TVIF_PARAM;
        insert.item.pszText = const_cast<char*>(krText(text));
        insert.item.lParam = static_cast<LPARAM>(toHandle(node));
        auto item = reinterpret_cast<HTREEITEM>(SendMessageA(control_, TVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&insert)));
        if (!item) {
            node->release();
            return nullptr;
        }
        node->item_ = item;
        return node;
    }

    HWND control_;
    HTREEITEM item_;
};

class Win32TreeView : public Win32Gadget<KrTreeView> {
public:
    Win32TreeView(KrGroup* group, int style) : Win32Gadget<KrTreeView>(group, style) {
        HWND hwnd = win32CreateControl(group, WS_EX_CLIENTEDGE, "SysTreeView32",
                                       TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
        native_.bind(hwnd, this, 0, this);
        root_ = new Win32TreeViewNode(this, nullptr, hwnd, TVI_ROOT);
    }

    ~Win32TreeView() override {
        beginClosing();
        root_->release();
    }

    KrTreeViewNode* root() override { return root_; }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == native_.handle()) {
            UINT code = reinterpret_cast<NMHDR*>(lParam)->code;
            if (code == static_cast<UINT>(TVN_SELCHANGEDA) || code == static_cast<UINT>(TVN_SELCHANGEDW)) {
                // The two forms differ only in their texts, which are not read.
                const TVITEMA& item = reinterpret_cast<NMTREEVIEWA*>(lParam)->itemNew;
                storeSelected(item.hItem == TVI_ROOT ? root_ : nodeOf(item.hItem, item.lParam));
                emit(EVENT_GADGET_ACTION, 0); // last: the program may free the tree view
            }
            return 0;
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

protected:
    KrTreeViewNode* nativeSelection() override {
        auto item = reinterpret_cast<HTREEITEM>(SendMessageA(native_.handle(), TVM_GETNEXTITEM, TVGN_CARET, 0));
        if (!item) return nullptr;
        TVITEMA read = {};
        read.mask = TVIF_HANDLE | TVIF_PARAM;
        read.hItem = item;
        if (!SendMessageA(native_.handle(), TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read))) return nullptr;
        return nodeOf(item, read.lParam);
    }

private:
    // The node an item's parameter names, when it is a live node of this tree.
    KrTreeViewNode* nodeOf(HTREEITEM item, LPARAM param) {
        if (!item) return nullptr;
        KrObject* object = liveObject(static_cast<int>(param));
        auto* node = object ? dynamic_cast<KrTreeViewNode*>(object) : nullptr;
        return node && node->tree() == this ? node : nullptr;
    }

    KrTreeViewNode* root_;
};

} // namespace

KrTreeView* win32CreateTreeView(KrGroup* group, int style) { return new Win32TreeView(group, style); }
