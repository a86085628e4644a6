// OutputPump: the thread an output back end feeds its device from. It calls
// the back end's step every `periodMs` milliseconds until stopped; the step
// mixes whatever the device can take at that moment.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <thread>

class OutputPump {
public:
    ~OutputPump() { stop(); }

    void start(std::function<void()> step, int periodMs) {
        running_ = true;
        thread_ = std::thread([this, step = std::move(step), periodMs] {
            while (running_) {
                step();
                std::this_thread::sleep_for(std::chrono::milliseconds(periodMs));
            }
        });
    }

    // Returns after the last step finished.
    void stop() {
        running_ = false;
        if (thread_.joinable()) thread_.join();
    }

private:
    std::atomic<bool> running_{false};
    std::thread thread_;
};
