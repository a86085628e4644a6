// Wall-clock timing for benchmarks, printed as "name: value unit" lines.
#pragma once

#include <chrono>
#include <cstdio>

class BenchClock {
public:
    BenchClock() : start_(std::chrono::steady_clock::now()) {}
    double seconds() const {
        return std::chrono::duration<double>(std::chrono::steady_clock::now() - start_).count();
    }

private:
    std::chrono::steady_clock::time_point start_;
};

inline void report(const char* name, double value, const char* unit) {
    std::printf("%s: %.2f %s\n", name, value, unit);
    std::fflush(stdout);
}
