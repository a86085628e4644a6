// The platform-free gadget model on gadgets of the test's own: a group
// re-places its children when its client size changes (and only then), the
// layout origin moves only on creation, SetGadgetShape and SetGadgetLayout,
// freeing a group frees its tree depth first, and a free that would leave a
// referenced gadget or menu item behind is refused before anything goes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/gadget.h"
#include "gui/group.h"
#include "gui/layout.h"
#include "gui/menu.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"

namespace {

std::vector<std::string> destroyed;

class FakeGadget : public KrGadget {
public:
    FakeGadget(KrGroup* group, const char* name) : KrGadget(group, 0), name_(name) {}
    ~FakeGadget() override { destroyed.push_back(name_); }

    void setFont(KrFont*) override {}
    void setText(KrString* text) override { storeText(text); }
    void setShape(int x, int y, int width, int height) override {
        ++shapes;
        storeShape(x, y, width, height);
    }
    void setVisible(bool visible) override { storeVisible(visible); }
    void setEnabled(bool enabled) override { storeEnabled(enabled); }
    void activate() override {}

    int shapes = 0;

private:
    std::string name_;
};

// A group whose client area is its shape less a 5-pixel border on each side.
class FakeGroup : public KrGroup {
public:
    FakeGroup(KrGroup* group, const char* name) : KrGroup(group, 0), name_(name) {}
    ~FakeGroup() override { destroyed.push_back(name_); }

    void setFont(KrFont*) override {}
    void setText(KrString* text) override { storeText(text); }
    void setVisible(bool visible) override { storeVisible(visible); }
    void setEnabled(bool enabled) override { storeEnabled(enabled); }
    void activate() override {}
    void clientRect(int& x, int& y, int& width, int& height) override {
        x = 5;
        y = 5;
        width = this->width() - 10;
        height = this->height() - 10;
    }

private:
    std::string name_;
};

// A child made as the creation commands make one: shape, show, save origin.
template <typename T>
T* create(KrGroup* group, const char* name, int x, int y, int width, int height) {
    auto* g = new T(group, name);
    g->setShape(x, y, width, height);
    g->setVisible(true);
    g->saveLayoutOrigin();
    return g;
}

struct Shape {
    int x, y, width, height;
    bool operator==(const Shape&) const = default;
};

Shape shapeOf(const KrGadget* g) { return {g->x(), g->y(), g->width(), g->height()}; }

std::ostream& operator<<(std::ostream& os, const Shape& s) {
    return os << "(" << s.x << ", " << s.y << ", " << s.width << ", " << s.height << ")";
}

} // namespace

TEST(GadgetTree, GroupResizeRePlacesChildrenByTheirModes) {
    auto* group = create<FakeGroup>(nullptr, "group", 0, 0, 410, 310); // client 400 x 300
    auto* centred = create<FakeGadget>(group, "centred", 50, 10, 100, 20);
    auto* stretched = create<FakeGadget>(group, "stretched", 10, 260, 380, 30);
    stretched->setLayoutModes(LayoutPinned, LayoutPinned, LayoutFree, LayoutPinned);
    stretched->saveLayoutOrigin();

    group->setShape(0, 0, 810, 310); // client 800 x 300
    EXPECT_EQ(group->clientWidth(), 800);
    EXPECT_EQ(shapeOf(centred), (Shape{150, 10, 100, 20}));
    EXPECT_EQ(shapeOf(stretched), (Shape{10, 260, 780, 30}));

    group->setShape(0, 0, 810, 410); // client 800 x 400
    // Vertical: (10 + 10) * 400 / 300 - 10 = 16; bottom pinned: 260 + 30 + 100 = 390.
    EXPECT_EQ(shapeOf(centred), (Shape{150, 16, 100, 20}));
    EXPECT_EQ(shapeOf(stretched), (Shape{10, 360, 780, 30}));
    group->release();
}

TEST(GadgetTree, MovingAGroupWithoutResizingLeavesChildrenAlone) {
    auto* group = create<FakeGroup>(nullptr, "group", 0, 0, 410, 310);
    auto* child = create<FakeGadget>(group, "child", 50, 10, 100, 20);
    int before = child->shapes;
    group->setShape(70, 90, 410, 310);
    EXPECT_EQ(group->x(), 70);
    EXPECT_EQ(child->shapes, before) << "a child was re-placed although the client size stayed";
    group->release();
}

TEST(GadgetTree, OriginMovesOnlyWhenSaved) {
    auto* group = create<FakeGroup>(nullptr, "group", 0, 0, 410, 310);
    auto* child = create<FakeGadget>(group, "child", 50, 10, 100, 20);
    group->setShape(0, 0, 810, 310);
    EXPECT_EQ(child->x(), 150);
    // Applying the layout again from the same sizes gives the same place:
    // the origin did not follow the re-placing.
    child->applyLayout();
    EXPECT_EQ(child->x(), 150);
    // A new shape with its origin saved (SetGadgetShape) is the new start:
    // (0 + 50) * 400 / 800 - 50 = -25.
    child->setShape(0, 10, 100, 20);
    child->saveLayoutOrigin();
    group->setShape(0, 0, 410, 310);
    EXPECT_EQ(child->x(), -25);
    group->release();
}

TEST(GadgetTree, ReplacedGroupsReLayTheirOwnChildren) {
    auto* outer = create<FakeGroup>(nullptr, "outer", 0, 0, 410, 310); // client 400 x 300
    auto* inner = create<FakeGroup>(outer, "inner", 0, 0, 210, 110);   // client 200 x 100
    inner->setLayoutModes(LayoutPinned, LayoutPinned, LayoutPinned, LayoutPinned);
    inner->saveLayoutOrigin();
    auto* leaf = create<FakeGadget>(inner, "leaf", 0, 0, 20, 20);
    leaf->setLayoutModes(LayoutScaled, LayoutScaled, LayoutPinned, LayoutPinned);
    leaf->saveLayoutOrigin();

    outer->setShape(0, 0, 610, 310); // inner grows by 200: client 400 x 100
    EXPECT_EQ(shapeOf(inner), (Shape{0, 0, 410, 110}));
    EXPECT_EQ(shapeOf(leaf), (Shape{0, 0, 40, 20}));
    outer->release();
}

TEST(GadgetTree, FreeingAGroupFreesItsTreeDepthFirst) {
    destroyed.clear();
    auto* outer = create<FakeGroup>(nullptr, "outer", 0, 0, 100, 100);
    auto* inner = create<FakeGroup>(outer, "inner", 0, 0, 50, 50);
    auto* a = create<FakeGadget>(inner, "a", 0, 0, 1, 1);
    auto* b = create<FakeGadget>(outer, "b", 0, 0, 1, 1);
    const void* gadgets[] = {outer, inner, a, b};
    EXPECT_EQ(b->group(), outer);
    EXPECT_EQ(outer->children().size(), 2u);

    outer->release();
    EXPECT_EQ(destroyed, (std::vector<std::string>{"a", "inner", "b", "outer"}));
    for (const void* g : gadgets) EXPECT_FALSE(liveObjects().contains(g)) << "a freed gadget is still live";
}

TEST(GadgetTree, FreeingAChildTakesItOffItsGroup) {
    auto* group = create<FakeGroup>(nullptr, "group", 0, 0, 100, 100);
    auto* a = create<FakeGadget>(group, "a", 0, 0, 1, 1);
    auto* b = create<FakeGadget>(group, "b", 0, 0, 1, 1);
    a->release();
    ASSERT_EQ(group->children().size(), 1u);
    EXPECT_EQ(group->children().front(), b);
    EXPECT_EQ(std::string(krText(b->text())), "");
    group->release();
}

TEST(GadgetTree, AReferencedChildStopsTheFreeBeforeAnythingGoes) {
    destroyed.clear();
    FakeGroup* outer = nullptr;
    FakeGadget* held = nullptr;
    RunRecord run = runAsProgram([&] {
        outer = create<FakeGroup>(nullptr, "outer", 0, 0, 100, 100);
        create<FakeGadget>(outer, "first", 0, 0, 1, 1);
        auto* inner = create<FakeGroup>(outer, "inner", 0, 0, 50, 50);
        held = create<FakeGadget>(inner, "held", 0, 0, 1, 1);
        held->retain();
        outer->release();
    });
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.error(), "Error removing child gadget");
    EXPECT_TRUE(destroyed.empty()) << "freed before the refusal: " << destroyed.front();
    ASSERT_TRUE(liveObjects().contains(outer));
    EXPECT_EQ(outer->refs(), 1);
    held->release();
    outer->release();
    EXPECT_EQ(destroyed.size(), 4u);
}

TEST(Menus, ItemsKeepCreationOrderAndAReferencedItemStopsTheRelease) {
    auto* root = new KrMenu(krEmptyString(), -1);
    KrString* file = krNewString("File");
    KrMenu* a = root->append(file, 1);
    KrMenu* b = root->append(nullptr, 2);
    KrMenu* c = a->append(file, 3);
    release(file);
    EXPECT_EQ(root->firstChild(), a);
    EXPECT_EQ(a->nextSibling(), b);
    EXPECT_EQ(a->firstChild(), c);
    EXPECT_EQ(b->text()->length(), 0);

    c->retain();
    RunRecord run = runAsProgram([&] { root->release(); });
    EXPECT_EQ(run.error(), "Unable to release menu child");
    ASSERT_TRUE(liveObjects().contains(root));
    c->release();
    root->release();
    EXPECT_FALSE(liveObjects().contains(c));
}
