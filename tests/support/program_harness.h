// Runs test code as the main code of a program run, with a debugger that
// records what the run tells it, so that runtime errors are observed rather
// than ending the test process.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "runtime/debugger.h"

class RecordingDebugger : public KrDebugger {
public:
    void onRun() override { ++runs; }
    void onStop() override { ++stops; }
    void onLog(const char* text) override { logs.emplace_back(text); }
    void onMessage(const char* text, int serious) override {
        messages.emplace_back(text);
        lastSerious = serious;
    }

    int runs = 0;
    int stops = 0;
    int lastSerious = -1;
    std::vector<std::string> logs;
    std::vector<std::string> messages;
};

struct RunRecord {
    bool finished = false; // the body ran to its end
    int stops = 0;
    int runs = 0; // debugger continue notifications
    std::vector<std::string> errors;
    std::vector<std::string> logs;
    // The one runtime error of the run, or "" when there was none.
    std::string error() const { return errors.empty() ? std::string() : errors.front(); }
};

// Runs `body` through Runtime::execute as a program's main code.
RunRecord runAsProgram(const std::function<void()>& body, const char* args = "");
