// Module start and stop order, config selection and the errors of the
// module system, with modules of the test's own. The modules stay quiet
// unless a test arms them, since every run in this process starts them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "runtime/module.h"
#include "runtime/resource.h"
#include "support/program_harness.h"

namespace {

std::vector<std::string> events;
bool armed = false;

class TestModule : public KrModule {
public:
    TestModule(const char* name, const char* subsystem = nullptr, const char* config = nullptr,
               const char* required = nullptr)
        : requires_(required) {
        setup(name, subsystem, config);
    }
    bool startup() override {
        ++startups;
        if (armed) events.push_back(std::string("start ") + name());
        if (armed && requires_) requireModule(requires_);
        return !(armed && failing);
    }
    void shutdown() override {
        if (armed) events.push_back(std::string("stop ") + name());
    }
    int startups = 0;
    bool failing = false;

private:
    const char* requires_;
};

TestModule needy("TestNeedy", nullptr, nullptr, "TestNeeded");
TestModule needed("TestNeeded");
TestModule failer("TestFailer");
TestModule driver("TestDriver", "Audio", "TestConfig");
TestModule anyConfig("TestAnyConfig", "Audio");
TestModule lonely("TestLonely", "TestOnly");

class Armed {
public:
    Armed() {
        events.clear();
        armed = true;
    }
    ~Armed() { armed = false; }
};

int indexOf(const std::string& event) {
    for (size_t i = 0; i < events.size(); ++i)
        if (events[i] == event) return static_cast<int>(i);
    return -1;
}

// Each run restarts the stopped modules from the one started last, so their
// order alternates from run to run, and with it the order in which the test
// modules start. These tests are written for TestNeedy to come before
// TestFailer; one run more restores that order whatever ran before.
void putNeedyFirst() {
    for (KrModule* m = firstModule(); m; m = m->next()) {
        if (m == &needy) return;
        if (m == &failer) {
            runAsProgram([] {});
            return;
        }
    }
}

} // namespace

TEST(Modules, ModuleRequiredDuringAnotherStartStopsAfterIt) {
    putNeedyFirst();
    Armed scope;
    RunRecord r = runAsProgram([] {});
    EXPECT_EQ(r.error(), "");
    int startNeedy = indexOf("start TestNeedy"), startNeeded = indexOf("start TestNeeded");
    int stopNeedy = indexOf("stop TestNeedy"), stopNeeded = indexOf("stop TestNeeded");
    ASSERT_GE(startNeedy, 0);
    ASSERT_GE(startNeeded, 0);
    EXPECT_LT(startNeedy, startNeeded); // asked first, finished starting second
    EXPECT_LT(stopNeedy, stopNeeded);
}

TEST(Modules, StartedModuleIsNotStartedAgain) {
    RunRecord r = runAsProgram([] {
        int before = needed.startups;
        EXPECT_EQ(needed.state(), KrModule::kStarted);
        EXPECT_TRUE(needed.startModule());
        EXPECT_TRUE(requireModule("testneeded"));
        EXPECT_EQ(needed.startups, before);
    });
    EXPECT_TRUE(r.finished);
}

TEST(Modules, StoppedModulesReleaseTheirResources) {
    auto* resource = new KrResource;
    int handle = toHandle(resource);
    RunRecord r = runAsProgram([&] { needed.addResource(resource); });
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(liveObject(handle), nullptr);
}

TEST(Modules, DriverStartsOnlyWhenItsConfigIsSelectedInAnyLetterCase) {
    int before = driver.startups;
    RunRecord r = runAsProgram([&] {
        EXPECT_EQ(driver.state(), KrModule::kStopped);
        EXPECT_EQ(anyConfig.state(), KrModule::kStarted);
        selectConfig("audio", "testconfig");
        EXPECT_STREQ(selectedConfig("AUDIO"), "testconfig");
        EXPECT_TRUE(requireSubsystem("Audio"));
        EXPECT_EQ(driver.state(), KrModule::kStarted);
    });
    EXPECT_TRUE(r.finished) << r.error();
    EXPECT_EQ(driver.startups, before + 1);
    EXPECT_EQ(driver.state(), KrModule::kStopped);
    // The next run selects the default config again.
    runAsProgram([&] { EXPECT_EQ(driver.state(), KrModule::kStopped); });
}

TEST(Modules, UnknownSubsystemAndModuleNames) {
    RunRecord r = runAsProgram([] {
        selectConfig("NoSuchSubsystem", "Native"); // ignored
        selectedConfig("NoSuchSubsystem");
    });
    EXPECT_EQ(r.error(), "Subsystem 'NoSuchSubsystem' not found");
    EXPECT_EQ(runAsProgram([] { requireModule("NoSuchModule"); }).error(), "Module 'NoSuchModule' not found");
    EXPECT_EQ(lonely.state(), KrModule::kStopped);
    EXPECT_EQ(runAsProgram([] { selectedConfig("TestOnly"); }).error(),
              "No config selected for subsystem 'TestOnly'");
}

// Last in this file: a failed module stays failed for the rest of the process.
TEST(Modules, FailedStartEndsTheRunAndStopsWhatStarted) {
    putNeedyFirst();
    Armed scope;
    failer.failing = true;
    RunRecord r = runAsProgram([] {});
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "Error starting module 'TestFailer'");
    EXPECT_EQ(failer.state(), KrModule::kFailed);
    EXPECT_GE(indexOf("stop TestNeeded"), 0);
    int before = failer.startups;
    EXPECT_FALSE(failer.startModule());
    EXPECT_EQ(failer.startups, before);
    failer.failing = false;
}
