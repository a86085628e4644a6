// Tree view nodes on a tree view of the test's own: subtrees freed with their
// parent (their handles dead), the root kept, and a selection that never
// names a freed node.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/tree_view.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"
#include "support/text_arg.h"

extern "C" {
__attribute__((stdcall)) int TreeViewRoot(int treeview);
__attribute__((stdcall)) int SelectedTreeViewNode(int treeview);
__attribute__((stdcall)) int CountTreeViewNodes(int node);
__attribute__((stdcall)) int AddTreeViewNode(KrString* text, int parent);
__attribute__((stdcall)) void FreeTreeViewNode(int node);
__attribute__((stdcall)) void SelectTreeViewNode(int node);
}

namespace {

class FakeTreeView;

// A node whose "control" is the test: it records texts and insertion places.
class FakeNode : public KrTreeViewNode {
public:
    FakeNode(KrTreeView* tree, KrTreeViewNode* parent, std::string text)
        : KrTreeViewNode(tree, parent), text(std::move(text)) {}

    void select() override;
    void expand() override {}
    void collapse() override {}
    void modify(KrString* t) override { text = krText(t); }
    KrTreeViewNode* add(KrString* t) override { return new FakeNode(tree(), this, krText(t)); }
    KrTreeViewNode* insert(int, KrString* t) override { return add(t); }

    std::string text;
};

class FakeTreeView : public KrTreeView {
public:
    FakeTreeView() : KrTreeView(nullptr, 0), root_(new FakeNode(this, nullptr, "")) {}
    ~FakeTreeView() override {
        beginClosing();
        root_->release();
    }

    void setFont(KrFont*) override {}
    void setText(KrString*) override {}
    void setShape(int, int, int, int) override {}
    void setVisible(bool) override {}
    void setEnabled(bool) override {}
    void activate() override {}
    KrTreeViewNode* root() override { return root_; }

    // What the "control" selects once the selected node has gone.
    KrTreeViewNode* controlSelects = nullptr;

protected:
    KrTreeViewNode* nativeSelection() override { return controlSelects; }

private:
    KrTreeViewNode* root_;
};

void FakeNode::select() { tree()->storeSelected(this); }

std::vector<std::string> childTexts(int node) {
    std::vector<std::string> texts;
    for (KrTreeViewNode* child : castHandle<KrTreeViewNode>(node)->children())
        texts.push_back(static_cast<FakeNode*>(child)->text);
    return texts;
}

} // namespace

TEST(TreeViewNodes, FreeingANodeFreesItsSubtreeAndItsHandlesDie) {
    int parentHandle = 0, childHandle = 0, grandHandle = 0, siblingHandle = 0, rootCount = -1;
    RunRecord run = runAsProgram([&] {
        auto* tree = new FakeTreeView;
        int root = TreeViewRoot(toHandle(tree));
        parentHandle = AddTreeViewNode(Text("parent"), root);
        siblingHandle = AddTreeViewNode(Text("sibling"), root);
        childHandle = AddTreeViewNode(Text("child"), parentHandle);
        grandHandle = AddTreeViewNode(Text("grand"), childHandle);
        FreeTreeViewNode(0); // ignored
        FreeTreeViewNode(parentHandle);
        rootCount = CountTreeViewNodes(root);
        EXPECT_EQ(childTexts(root), (std::vector<std::string>{"sibling"}));
        for (int h : {parentHandle, childHandle, grandHandle}) EXPECT_EQ(liveObject(h), nullptr);
        EXPECT_NE(liveObject(siblingHandle), nullptr);
        tree->release();
        EXPECT_EQ(liveObject(siblingHandle), nullptr) << "a node outlived its tree view";
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(rootCount, 1);

    // A freed node's handle is refused, also when freed a second time.
    for (int step = 0; step < 2; ++step) {
        FakeTreeView* tree = nullptr;
        RunRecord again = runAsProgram([&] {
            tree = new FakeTreeView;
            int node = AddTreeViewNode(Text("once"), TreeViewRoot(toHandle(tree)));
            FreeTreeViewNode(node);
            if (step == 0)
                FreeTreeViewNode(node);
            else
                CountTreeViewNodes(node);
        });
        EXPECT_FALSE(again.finished);
        EXPECT_EQ(again.error(), "Invalid TreeView Node handle");
        // The run ended at the error; the tree is the test's to release.
        tree->release();
    }
}

TEST(TreeViewNodes, AChainDeeperThanTheStackIsFreedWithoutRecursion) {
    // Freed by recursion, this chain would need far more than any stack.
    auto* tree = new FakeTreeView;
    Text text("deep");
    KrTreeViewNode* top = tree->root()->add(text);
    KrTreeViewNode* node = top;
    for (int i = 0; i < 300000; ++i) node = node->add(text);
    const int bottom = toHandle(node);
    top->release();
    EXPECT_EQ(tree->root()->childCount(), 0);
    EXPECT_EQ(liveObject(bottom), nullptr);
    tree->release();
}

TEST(TreeViewNodes, FreeingTheRootEmptiesTheTreeAndKeepsTheRoot) {
    int count = -1, added = 0;
    RunRecord run = runAsProgram([&] {
        auto* tree = new FakeTreeView;
        int root = TreeViewRoot(toHandle(tree));
        AddTreeViewNode(Text("a"), AddTreeViewNode(Text("b"), root));
        FreeTreeViewNode(root);
        count = CountTreeViewNodes(root);
        added = AddTreeViewNode(Text("c"), root);
        tree->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(count, 0);
    EXPECT_NE(added, 0);
}

TEST(TreeViewNodes, TheSelectionNeverNamesAFreedNode) {
    RunRecord run = runAsProgram([&] {
        auto* tree = new FakeTreeView;
        int tv = toHandle(tree);
        int root = TreeViewRoot(tv);
        int a = AddTreeViewNode(Text("a"), root);
        int a1 = AddTreeViewNode(Text("a1"), a);
        int b = AddTreeViewNode(Text("b"), root);

        // The selected node goes and the control selects another: that one.
        SelectTreeViewNode(b);
        tree->controlSelects = castHandle<KrTreeViewNode>(a1);
        FreeTreeViewNode(b);
        EXPECT_EQ(SelectedTreeViewNode(tv), a1);

        // A selected node inside a freed subtree: the control's choice is
        // freed too (or none), so the selection is cleared.
        FreeTreeViewNode(a);
        EXPECT_EQ(SelectedTreeViewNode(tv), 0);

        // A node that goes while another is selected leaves the selection.
        int c = AddTreeViewNode(Text("c"), root);
        int d = AddTreeViewNode(Text("d"), root);
        SelectTreeViewNode(c);
        tree->controlSelects = nullptr;
        FreeTreeViewNode(d);
        EXPECT_EQ(SelectedTreeViewNode(tv), c);
        tree->release();
    });
    EXPECT_TRUE(run.finished) << run.error();
}
