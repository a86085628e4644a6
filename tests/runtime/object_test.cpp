// Objects, handle checks, the ownership graph, query ids and the object
// inspection commands.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/object.h"
#include "runtime/resource.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) void DebugObjects();
__attribute__((stdcall)) int ActiveObjects();
__attribute__((stdcall)) int QueryObject(int object, int queryId);
}

namespace {

class TestStream : public KrResource {
public:
    static constexpr const char* kHandleName = "Stream";
};
class TestFile : public TestStream {
public:
    static constexpr const char* kHandleName = "File";
};
class TestTcpStream : public TestStream {
public:
    static constexpr const char* kHandleName = "TCP Stream";
};
// A class name longer than DebugObjects' name column.
class AnObjectWhoseClassNameRunsPastItsColumn : public KrObject {};

std::vector<std::string> freedOrder;

class Tracked : public KrResource {
public:
    Tracked(std::string name, int answer = 0) : name_(std::move(name)), answer_(answer) {}
    ~Tracked() override { freedOrder.push_back(name_); }
    int query(int id) override { return id == 7 ? answer_ : 0; }

private:
    std::string name_;
    int answer_;
};

} // namespace

TEST(Handles, DerivedClassPassesTheCheckOfItsBase) {
    auto* file = new TestFile;
    RunRecord r = runAsProgram([&] {
        EXPECT_EQ(castHandle<TestStream>(toHandle(file)), file);
        EXPECT_EQ(castHandle<TestFile>(toHandle(file)), file);
    });
    EXPECT_EQ(r.error(), "");
    file->release();
}

TEST(Handles, OtherClassFailsNamingTheExpectedOne) {
    auto* tcp = new TestTcpStream;
    RunRecord r = runAsProgram([&] { castHandle<TestFile>(toHandle(tcp)); });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Invalid File handle");
    EXPECT_EQ(r.stops, 1);
    tcp->release();
}

TEST(Handles, NullAndFreedHandlesFail) {
    auto* file = new TestFile;
    int handle = toHandle(file);
    file->release();
    EXPECT_EQ(liveObject(handle), nullptr);
    EXPECT_EQ(runAsProgram([&] { castHandle<TestFile>(handle); }).error(), "Invalid File handle");
    EXPECT_EQ(runAsProgram([&] { castHandle<TestStream>(0); }).error(), "Invalid Stream handle");
}

TEST(Ownership, OwnerReleasesWhatItOwnsInTheOrderAdded) {
    freedOrder.clear();
    auto* owner = new Tracked("owner");
    owner->addOwned(new Tracked("first"));
    owner->addOwned(new Tracked("second"));
    owner->release();
    EXPECT_EQ(freedOrder, (std::vector<std::string>{"first", "second", "owner"}));
}

TEST(Ownership, ResourceWithTwoOwnersLeavesTheSecondWhenTheFirstFreesIt) {
    freedOrder.clear();
    auto* a = new Tracked("a");
    auto* b = new Tracked("b");
    auto* shared = new Tracked("shared");
    a->addOwned(shared);
    b->addOwned(shared);
    size_t live = liveObjects().size();
    a->release(); // holds the one reference: frees the shared resource too
    EXPECT_EQ(freedOrder, (std::vector<std::string>{"shared", "a"}));
    EXPECT_FALSE(b->ownsAnything());
    EXPECT_EQ(liveObjects().size(), live - 2);
    b->release();
    EXPECT_EQ(freedOrder.back(), "b");
}

TEST(Ownership, OwnedResourceFreedFirstLeavesItsOwnerRing) {
    auto* owner = new Tracked("owner");
    auto* owned = new Tracked("owned");
    owner->addOwned(owned);
    owned->release();
    EXPECT_FALSE(owner->ownsAnything());
    owner->release();
}

TEST(Ownership, FindOwnedTakesTheFirstNonZeroAnswerInOrder) {
    auto* owner = new Tracked("owner");
    owner->addOwned(new Tracked("silent", 0));
    owner->addOwned(new Tracked("first", 11));
    owner->addOwned(new Tracked("second", 22));
    EXPECT_EQ(owner->findOwned(7), 11);
    EXPECT_EQ(owner->findOwned(8), 0);
    owner->release();
}

TEST(Objects, ActiveObjectsCountsEveryLiveObject) {
    int before = ActiveObjects();
    auto* a = new TestFile;
    auto* b = new TestStream;
    EXPECT_EQ(ActiveObjects(), before + 2);
    a->release();
    b->release();
    EXPECT_EQ(ActiveObjects(), before);
}

TEST(Objects, QueryObjectAsksLiveObjectsOnly) {
    auto* t = new Tracked("t", 99);
    EXPECT_EQ(QueryObject(toHandle(t), 7), 99);
    int stale = toHandle(t);
    t->release();
    EXPECT_EQ(QueryObject(stale, 7), 0);
    EXPECT_EQ(QueryObject(12345, 7), 0);
    EXPECT_EQ(QueryObject(0, 7), 0);
}

TEST(Objects, DebugObjectsListsClassesIn52Columns) {
    auto* f1 = new TestFile;
    auto* f2 = new TestFile;
    auto* longName = new AnObjectWhoseClassNameRunsPastItsColumn;
    RunRecord r = runAsProgram([] { DebugObjects(); });
    f1->release();
    f2->release();
    longName->release();
    ASSERT_GE(r.logs.size(), 7u);
    EXPECT_EQ(r.logs[0], std::string(52, '*'));
    EXPECT_EQ(r.logs[1], "* Object type                             Count    *");
    EXPECT_EQ(r.logs[2], "* ------------------------------------------------ *");
    bool found = false;
    for (const std::string& line : r.logs) {
        EXPECT_EQ(line.size(), 52u) << line;
        if (line.compare(2, 6, "class ") == 0 && line.find("TestFile ") != std::string::npos) {
            found = true;
            EXPECT_EQ(line.substr(42, 2), "2 ") << line;
        }
        if (line.find("::AnObject") != std::string::npos) {
            EXPECT_EQ(line.substr(41, 3), " 1 ") << line;
        }
    }
    EXPECT_TRUE(found);
    const std::string& total = r.logs[r.logs.size() - 2];
    EXPECT_EQ(total.substr(0, 42), "* Total Objects                           ");
    int sum = 0;
    for (size_t i = 3; i + 3 < r.logs.size(); ++i) sum += std::stoi(r.logs[i].substr(42));
    EXPECT_EQ(std::stoi(total.substr(42)), sum);
    EXPECT_EQ(total.back(), '*');
}

TEST(QueryIds, SameNameGivesTheSameIdUntilTheTableIsFull) {
    std::string name = "TestQueryName";
    int id = queryId(name.c_str());
    std::string copy = name;
    EXPECT_EQ(queryId(copy.c_str()), id);
    EXPECT_EQ(queryId("K2DBuffer"), 1);
    EXPECT_EQ(queryId("GLFont"), 2);
    EXPECT_EQ(queryId("KrGLContext"), 3);

    RunRecord r = runAsProgram([] {
        for (int i = 0; i < 300; ++i) queryId(("filler" + std::to_string(i)).c_str());
    });
    EXPECT_EQ(r.error(), "Out of QIDS!");
    EXPECT_EQ(queryId(copy.c_str()), id);
}

TEST(RuntimeErrors, LongMessagesArriveWhole) {
    std::string longText(1000, 'x');
    RunRecord r = runAsProgram([&] { runtimeError("%s!", longText.c_str()); });
    EXPECT_EQ(r.error(), longText + "!");
    EXPECT_EQ(r.errors.size(), 1u);
}

#if defined(__SANITIZE_ADDRESS__)
#define UNDER_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define UNDER_ADDRESS_SANITIZER 1
#endif
#endif

TEST(RuntimeErrors, MemoryThatCannotBeHadEndsTheRun) {
#ifdef UNDER_ADDRESS_SANITIZER
    GTEST_SKIP() << "the address sanitizer ends the process on a failed allocation itself";
#endif
    std::vector<char>* huge = nullptr;
    RunRecord r = runAsProgram([&] { huge = new std::vector<char>(0x7FFFFFF0u); });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Out of memory");
    EXPECT_EQ(huge, nullptr);
    // Outside a run the C++ rules apply again.
    EXPECT_THROW(new std::vector<char>(0x7FFFFFF0u), std::bad_alloc);
}
