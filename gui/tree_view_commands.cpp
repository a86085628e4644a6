// The tree view commands: creation, the root and selected nodes, and the node
// commands.
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/tree_view.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

namespace {

int handleOf(KrTreeViewNode* node) { return node ? toHandle(node) : 0; }

} // namespace

extern "C" {

__attribute__((stdcall)) int CreateTreeView(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createTreeView(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) int TreeViewRoot(int treeview) { return handleOf(castHandle<KrTreeView>(treeview)->root()); }

__attribute__((stdcall)) int SelectedTreeViewNode(int treeview) {
    return handleOf(castHandle<KrTreeView>(treeview)->selectedNode());
}

__attribute__((stdcall)) int CountTreeViewNodes(int node) { return castHandle<KrTreeViewNode>(node)->childCount(); }

__attribute__((stdcall)) int AddTreeViewNode(KrString* text, int parent) {
    return handleOf(castHandle<KrTreeViewNode>(parent)->add(text));
}

__attribute__((stdcall)) int InsertTreeViewNode(int index, KrString* text, int parent) {
    return handleOf(castHandle<KrTreeViewNode>(parent)->insert(index, text));
}

__attribute__((stdcall)) void ModifyTreeViewNode(int node, KrString* text) { castHandle<KrTreeViewNode>(node)->modify(text); }
__attribute__((stdcall)) void SelectTreeViewNode(int node) { castHandle<KrTreeViewNode>(node)->select(); }
__attribute__((stdcall)) void ExpandTreeViewNode(int node) { castHandle<KrTreeViewNode>(node)->expand(); }
__attribute__((stdcall)) void CollapseTreeViewNode(int node) { castHandle<KrTreeViewNode>(node)->collapse(); }

// The root belongs to its tree view, which needs it as long as it lives:
// freeing the root frees the nodes below it and keeps the root itself.
__attribute__((stdcall)) void FreeTreeViewNode(int node) {
    if (node == 0) return;
    KrTreeViewNode* n = castHandle<KrTreeViewNode>(node);
    if (n->parent())
        n->release();
    else
        n->releaseChildren();
}
}

KR_COMMAND(Gadget, "%CreateTreeView%x%y%width%height%group%style=0", CreateTreeView);
KR_COMMAND(Gadget, "%TreeViewRoot%treeview", TreeViewRoot);
KR_COMMAND(Gadget, "%SelectedTreeViewNode%treeview", SelectedTreeViewNode);
KR_COMMAND(Gadget, "%CountTreeViewNodes%parent_node", CountTreeViewNodes);
KR_COMMAND(Gadget, "%AddTreeViewNode$text%parent_node", AddTreeViewNode);
KR_COMMAND(Gadget, "%InsertTreeViewNode%index$text%parent_node", InsertTreeViewNode);
KR_COMMAND(Gadget, "ModifyTreeViewNode%node$text", ModifyTreeViewNode);
KR_COMMAND(Gadget, "SelectTreeViewNode%node", SelectTreeViewNode);
KR_COMMAND(Gadget, "ExpandTreeViewNode%node", ExpandTreeViewNode);
KR_COMMAND(Gadget, "CollapseTreeViewNode%node", CollapseTreeViewNode);
KR_COMMAND(Gadget, "FreeTreeViewNode%node", FreeTreeViewNode);
