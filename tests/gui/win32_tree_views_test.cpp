// Tree views under the Windows gadget driver: the native items read back
// after adding, inserting, modifying and freeing nodes (order, texts, the
// node named by each item's parameter), selection by the program and by the
// user, and a selection that never hands out a freed node.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "events/event_record.h"
#include "gui/gui_commands.h"
#include "gui/user_action.h"
#include "lang/kr_string.h"
#include "support/event_commands.h"
#include "support/program_harness.h"
#include "support/text_arg.h"

extern "C" {
__attribute__((stdcall)) int CreateTreeView(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) int TreeViewRoot(int treeview);
__attribute__((stdcall)) int SelectedTreeViewNode(int treeview);
__attribute__((stdcall)) int CountTreeViewNodes(int node);
__attribute__((stdcall)) int AddTreeViewNode(KrString* text, int parent);
__attribute__((stdcall)) int InsertTreeViewNode(int index, KrString* text, int parent);
__attribute__((stdcall)) void ModifyTreeViewNode(int node, KrString* text);
__attribute__((stdcall)) void SelectTreeViewNode(int node);
__attribute__((stdcall)) void ExpandTreeViewNode(int node);
__attribute__((stdcall)) void CollapseTreeViewNode(int node);
__attribute__((stdcall)) void FreeTreeViewNode(int node);
}

namespace {

HWND controlOf(int gadget) { return reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(gadget)->query(1))); }

HTREEITEM next(HWND tree, UINT relation, HTREEITEM item) {
    return reinterpret_cast<HTREEITEM>(SendMessageA(tree, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
}

// "text=node" for each item below `parent` (null: the top level), in the
// control's order.
std::vector<std::string> itemsBelow(HWND tree, HTREEITEM parent) {
    std::vector<std::string> items;
    for (HTREEITEM item = parent ? next(tree, TVGN_CHILD, parent) : next(tree, TVGN_ROOT, nullptr); item;
         item = next(tree, TVGN_NEXT, item)) {
        char buffer[64] = {};
        TVITEMA read = {};
        read.mask = TVIF_HANDLE | TVIF_TEXT | TVIF_PARAM;
        read.hItem = item;
        read.pszText = buffer;
        read.cchTextMax = sizeof buffer;
        SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&read));
        items.push_back(std::string(buffer) + "=" + std::to_string(read.lParam));
    }
    return items;
}

std::string item(const char* text, int node) { return std::string(text) + "=" + std::to_string(node); }

HTREEITEM caret(HWND tree) { return next(tree, TVGN_CARET, nullptr); }

using Items = std::vector<std::string>;

} // namespace

TEST(Win32TreeViews, NativeItemsFollowTheNodes) {
    Items top, below, afterFree;
    int a = 0, b = 0, first = 0, middle = 0, last = 0, a1 = 0, rootCount = -1, aCount = -1;
    int total = -1, totalAfterFree = -1, emptyCount = -1, emptySelected = -1;
    bool expanded = false, collapsed = true;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Tree"), 0, 0, 300, 300, 0, 1 | 32);
        int tv = CreateTreeView(10, 10, 280, 280, w, 0);
        HWND tree = controlOf(tv);
        int root = TreeViewRoot(tv);
        emptyCount = CountTreeViewNodes(root);
        emptySelected = SelectedTreeViewNode(tv);
        a = AddTreeViewNode(Text("a"), root);
        b = AddTreeViewNode(Text("b"), root);
        first = InsertTreeViewNode(0, Text("first"), root);
        middle = InsertTreeViewNode(2, Text("middle"), root); // after the second shown: first, a, middle, b
        last = InsertTreeViewNode(10, Text("last"), root);
        a1 = AddTreeViewNode(Text("a1"), a);
        AddTreeViewNode(Text("a2"), a1);
        ModifyTreeViewNode(b, Text("B"));
        top = itemsBelow(tree, nullptr);
        below = itemsBelow(tree, next(tree, TVGN_NEXT, next(tree, TVGN_ROOT, nullptr)));
        rootCount = CountTreeViewNodes(root);
        aCount = CountTreeViewNodes(a);
        total = static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0));
        HTREEITEM aItem = next(tree, TVGN_NEXT, next(tree, TVGN_ROOT, nullptr));
        ExpandTreeViewNode(a);
        expanded = SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(aItem), TVIS_EXPANDED) & TVIS_EXPANDED;
        CollapseTreeViewNode(a);
        collapsed = !(SendMessageA(tree, TVM_GETITEMSTATE, reinterpret_cast<WPARAM>(aItem), TVIS_EXPANDED) & TVIS_EXPANDED);
        FreeTreeViewNode(a);
        totalAfterFree = static_cast<int>(SendMessageA(tree, TVM_GETCOUNT, 0, 0));
        afterFree = itemsBelow(tree, nullptr);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(emptyCount, 0);
    EXPECT_EQ(emptySelected, 0);
    EXPECT_EQ(top, (Items{item("first", first), item("a", a), item("middle", middle), item("B", b), item("last", last)}));
    EXPECT_EQ(below, (Items{item("a1", a1)}));
    EXPECT_EQ(rootCount, 5) << "direct children only";
    EXPECT_EQ(aCount, 1);
    EXPECT_EQ(total, 7);
    EXPECT_TRUE(expanded);
    EXPECT_TRUE(collapsed);
    EXPECT_EQ(totalAfterFree, 4) << "freeing a node deletes its items and its descendants'";
    EXPECT_EQ(afterFree, (Items{item("first", first), item("middle", middle), item("B", b), item("last", last)}));
}

TEST(Win32TreeViews, SelectionsByProgramAndUserAndAfterFreeing) {
    int a = 0, a1 = 0, b = 0, c = 0, tvHandle = 0, byProgram = 0, selectedByUser = 0;
    int event = 0, data = -1, source = 0;
    int afterFree = -1, afterSubtreeFree = -1;
    bool caretOnB = false;
    RunRecord run = runAsProgram([&] {
        int w = krCreateWindow(Text("Tree"), 0, 0, 300, 300, 0, 1 | 32);
        tvHandle = CreateTreeView(10, 10, 280, 280, w, 0);
        HWND tree = controlOf(tvHandle);
        int root = TreeViewRoot(tvHandle);
        a = AddTreeViewNode(Text("a"), root);
        b = AddTreeViewNode(Text("b"), root);
        c = AddTreeViewNode(Text("c"), root);
        a1 = AddTreeViewNode(Text("a1"), a);
        SelectTreeViewNode(b);
        byProgram = SelectedTreeViewNode(tvHandle);
        caretOnB = caret(tree) == next(tree, TVGN_NEXT, next(tree, TVGN_ROOT, nullptr));

        // The user selects c (the control tells its parent while the program waits).
        HTREEITEM cItem = next(tree, TVGN_NEXT, next(tree, TVGN_NEXT, next(tree, TVGN_ROOT, nullptr)));
        UserEvent selected = byUser(EVENT_GADGET_ACTION, [&] {
            SendMessageA(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(cItem));
        });
        event = selected.id;
        data = selected.data;
        source = selected.source;
        selectedByUser = SelectedTreeViewNode(tvHandle);

        // Freeing the selected node: never a freed node afterwards.
        FreeTreeViewNode(c);
        afterFree = SelectedTreeViewNode(tvHandle);
        EXPECT_TRUE(afterFree == 0 || liveObject(afterFree) != nullptr) << "a freed node was handed out";
        SelectTreeViewNode(a1);
        FreeTreeViewNode(a);
        afterSubtreeFree = SelectedTreeViewNode(tvHandle);
        EXPECT_TRUE(afterSubtreeFree == 0 || liveObject(afterSubtreeFree) != nullptr) << "a freed node was handed out";
        CountTreeViewNodes(a1);
    });
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.error(), "Invalid TreeView Node handle") << "a descendant's handle died with its ancestor";
    EXPECT_EQ(byProgram, b);
    EXPECT_TRUE(caretOnB);
    EXPECT_EQ(event, EVENT_GADGET_ACTION);
    EXPECT_EQ(data, 0);
    EXPECT_EQ(source, tvHandle);
    EXPECT_EQ(selectedByUser, c);
    EXPECT_NE(afterFree, c);
    EXPECT_NE(afterSubtreeFree, a1);
    EXPECT_NE(afterSubtreeFree, a);
}
