// The Runtime host interface and the symbol registry behind it.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "runtime/runtime.h"
#include "runtime/symbol_order.h"
#include "runtime/symbol_registration.h"

namespace {

std::vector<std::string> enumerate() {
    std::vector<std::string> names;
    while (const char* name = runtimeGetRuntime()->nextSymbol()) names.emplace_back(name);
    return names;
}

} // namespace

TEST(Registry, VersionIsFixed) { EXPECT_EQ(runtimeGetRuntime()->version(), 1048712); }

TEST(Registry, TwoEnumerationsInARowGiveTheSameNames) {
    std::vector<std::string> first = enumerate();
    std::vector<std::string> second = enumerate();
    EXPECT_FALSE(first.empty());
    EXPECT_EQ(first, second);
    EXPECT_EQ(std::set<std::string>(first.begin(), first.end()).size(), first.size());
}

TEST(Registry, ValuesAreLookedUpByTheIdentityOfTheNameText) {
    Runtime* runtime = runtimeGetRuntime();
    const char* name = nullptr;
    while ((name = runtime->nextSymbol()) && std::strcmp(name, "RuntimeStats") != 0) {}
    ASSERT_NE(name, nullptr);
    EXPECT_NE(runtime->symbolValue(name), -1);
    std::string copy = name;
    EXPECT_EQ(runtime->symbolValue(copy.c_str()), -1);
    while (runtime->nextSymbol()) {}
    // The finished enumeration emptied the registry.
    EXPECT_EQ(runtime->symbolValue(name), -1);
}

TEST(Registry, ShutdownEmptiesTheRegistry) {
    Runtime* runtime = runtimeGetRuntime();
    const char* name = runtime->nextSymbol();
    ASSERT_NE(name, nullptr);
    runtime->shutdown();
    EXPECT_EQ(runtime->symbolValue(name), -1);
    EXPECT_EQ(enumerate().size(), static_cast<size_t>(registeredSymbols().count));
}

TEST(Registry, EnumerationFollowsRegistrationOrder) {
    const SymbolTable& table = registeredSymbols();
    std::vector<std::string> names = enumerate();
    ASSERT_EQ(names.size(), static_cast<size_t>(table.count));
    for (int i = 0; i < table.count; ++i) EXPECT_EQ(names[i], table.entries[i].name);
}

TEST(Registry, EveryRegistrationHasItsPlaceInItsGroup) {
    EXPECT_EQ(unplacedSymbolCount(), 0);
    const SymbolTable& table = registeredSymbols();
    for (int i = 0; i < table.count; ++i) {
        const SymbolEntry& e = table.entries[i];
        if (e.name[0] == '_') {
            EXPECT_NE(e.prototype, nullptr) << e.name;
        }
        if (i > 0) {
            EXPECT_LE(table.entries[i - 1].group, e.group) << e.name;
        }
    }
}

TEST(Registry, GroupListsHaveTheirFullLength) {
    EXPECT_EQ(symbolOrder(SymbolGroup::Language).count, 58);
    EXPECT_EQ(symbolOrder(SymbolGroup::Runtime).count, 189);
    EXPECT_EQ(symbolOrder(SymbolGroup::Gadget).count, 113);
    EXPECT_EQ(symbolOrder(SymbolGroup::Graphics2D).count, 133);
}

TEST(Registry, ReservedSlotsDoNothing) {
    Runtime* runtime = runtimeGetRuntime();
    size_t before = enumerate().size();
    runtime->startup(nullptr);
    runtime->reserved5();
    runtime->reserved6();
    runtime->reserved7();
    runtime->reserved8(42);
    EXPECT_EQ(enumerate().size(), before);
}
