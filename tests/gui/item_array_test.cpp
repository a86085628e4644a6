// The item model shared by combo boxes, list boxes and tabbers: index ranges
// (an insertion place may be the count, an item may not), a selection that
// stores -1 for any negative index and stays put when items go, texts held
// by reference, and where a tab's selection goes when a tab is removed.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/item_array.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"
#include "support/text_arg.h"

namespace {

std::vector<std::string> textsOf(const KrItemArray& items) {
    std::vector<std::string> texts;
    for (int i = 0; i < items.count(); ++i) {
        KrString* t = items.itemText(i);
        texts.emplace_back(t->text(), t->length());
        t->release();
    }
    return texts;
}

const char* const kRangeError = "Gadget item list index out of range";

} // namespace

TEST(ItemArray, InsertPlacesRunToTheCountAndEditsKeepOrder) {
    auto* items = new KrItemArray;
    items->add(Text("b"));
    items->insert(0, Text("a"));
    items->insert(2, Text("d")); // at the count: appends
    items->insert(2, Text("c"));
    items->add(nullptr);         // a null text reads as ""
    EXPECT_EQ(textsOf(*items), (std::vector<std::string>{"a", "b", "c", "d", ""}));
    items->modify(4, Text("e"));
    items->remove(0);
    EXPECT_EQ(textsOf(*items), (std::vector<std::string>{"b", "c", "d", "e"}));
    EXPECT_EQ(items->count(), 4);
    items->release();
}

TEST(ItemArray, EveryIndexOutsideItsRangeIsTheRangeError) {
    // Each call runs in a program of its own, on an array of three items.
    const std::vector<std::pair<const char*, void (*)(KrItemArray&)>> refusals = {
        {"insert at count + 1", [](KrItemArray& a) { a.insert(4, Text("x")); }},
        {"insert at -1", [](KrItemArray& a) { a.insert(-1, Text("x")); }},
        {"modify at count", [](KrItemArray& a) { a.modify(3, Text("x")); }},
        {"modify at -1", [](KrItemArray& a) { a.modify(-1, Text("x")); }},
        {"remove at count", [](KrItemArray& a) { a.remove(3); }},
        {"remove at -1", [](KrItemArray& a) { a.remove(-1); }},
        {"select at count", [](KrItemArray& a) { a.select(3); }},
        {"text at count", [](KrItemArray& a) { release(a.itemText(3)); }},
        {"text at -1", [](KrItemArray& a) { release(a.itemText(-1)); }},
    };
    for (const auto& [what, call] : refusals) {
        auto* items = new KrItemArray;
        for (const char* t : {"a", "b", "c"}) items->add(Text(t));
        // A named reference: clang 14 cannot capture a structured binding.
        const auto& refuse = call;
        RunRecord run = runAsProgram([&] { refuse(*items); });
        EXPECT_FALSE(run.finished) << what;
        EXPECT_EQ(run.error(), kRangeError) << what;
        EXPECT_EQ(textsOf(*items), (std::vector<std::string>{"a", "b", "c"})) << what << " changed the items";
        items->release();
    }
}

TEST(ItemArray, SelectionStoresMinusOneForNegativesAndStaysWhenItemsGo) {
    auto* items = new KrItemArray;
    EXPECT_EQ(items->selected(), -1);
    for (const char* t : {"a", "b", "c"}) items->add(Text(t));
    items->select(2);
    EXPECT_EQ(items->selected(), 2);
    items->remove(0);
    EXPECT_EQ(items->selected(), 2) << "removing moved the stored selection";
    items->select(-5);
    EXPECT_EQ(items->selected(), -1);
    // A native read-back out of range (the control's "none" or a count that
    // disagrees) is no selection, never an error.
    items->storeNativeSelection(1);
    EXPECT_EQ(items->selected(), 1);
    items->storeNativeSelection(7);
    EXPECT_EQ(items->selected(), -1);
    items->select(1);
    items->clear();
    EXPECT_EQ(items->count(), 0);
    EXPECT_EQ(items->selected(), -1);
    items->release();
}

TEST(ItemArray, TextsAreHeldByReferenceAndHandedOutWithOne) {
    KrString* text = krNewString("first");
    auto* items = new KrItemArray;
    items->add(text);
    items->add(text);
    EXPECT_EQ(text->refs(), 3);
    KrString* got = items->itemText(0);
    EXPECT_EQ(got, text);
    EXPECT_EQ(text->refs(), 4);
    // The text handed out stays valid after its item changes.
    items->modify(0, Text("second"));
    EXPECT_EQ(std::string(got->text()), "first");
    EXPECT_EQ(text->refs(), 3);
    got->release();
    items->remove(1);
    EXPECT_EQ(text->refs(), 1);
    items->add(text);
    items->release();
    EXPECT_EQ(text->refs(), 1) << "releasing the array kept a text";
    text->release();
}

TEST(ItemArray, ASelectionFollowsItsItemWhenAnotherIsRemoved) {
    struct Case {
        int selected, removed, countBefore, expected;
    };
    const Case cases[] = {
        {2, 0, 4, 1},   // an earlier item goes: one place down, same item
        {2, 3, 4, 2},   // a later item goes
        {1, 1, 4, 1},   // the selected one goes: the next item takes its place
        {3, 3, 4, 2},   // the selected last one goes: the new last item
        {0, 0, 2, 0},
        {1, 1, 2, 0},
        {0, 0, 1, -1},  // nothing left
        {-1, 1, 3, -1}, // no selection stays none
    };
    for (const Case& c : cases)
        EXPECT_EQ(KrItemArray::selectionAfterRemove(c.selected, c.removed, c.countBefore), c.expected)
            << "selected " << c.selected << ", removed " << c.removed << " of " << c.countBefore;
}
