// Linking speed on a large image, and the start-up cost of a run of an empty
// program (linking plus module start and stop).
#include <cstdint>
#include <string>
#include <vector>

#include "bench/support/bench_clock.h"
#include "runtime/module_linker.h"
#include "runtime/runtime.h"

namespace {

void put32(std::vector<uint8_t>& out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void putEntry(std::vector<uint8_t>& out, const std::string& name, uint32_t offset) {
    out.insert(out.end(), name.begin(), name.end());
    out.push_back(0);
    put32(out, offset);
}

// 5,000 module symbols and 200,000 relocations naming 500 different names,
// half of them module symbols and half the runtime's own.
std::vector<uint8_t> largeImage(Runtime& runtime) {
    std::vector<std::string> runtimeNames;
    while (const char* name = runtime.nextSymbol()) {
        std::string key = name[0] == '_' ? std::string("_") + name : "";
        if (!key.empty()) runtimeNames.push_back(key);
    }
    const uint32_t codeSize = 1 << 20;
    std::vector<uint8_t> image;
    put32(image, codeSize);
    image.resize(4 + codeSize, 0xC3);
    put32(image, 5000);
    for (int i = 0; i < 5000; ++i) putEntry(image, "_fsymbol" + std::to_string(i), i * 16);
    std::vector<std::string> targets;
    for (int i = 0; i < 250; ++i) targets.push_back("_fsymbol" + std::to_string(i * 7));
    for (int i = 0; static_cast<int>(targets.size()) < 500; ++i)
        targets.push_back(runtimeNames.empty() ? "_fsymbol1" : runtimeNames[i % runtimeNames.size()]);
    for (int kind = 0; kind < 2; ++kind) {
        put32(image, 100000);
        for (int i = 0; i < 100000; ++i) putEntry(image, targets[(i * 31) % 500], (i * 8 + kind * 4) % (codeSize - 4));
    }
    return image;
}

void emptyMain() {}

} // namespace

int main() {
    Runtime& runtime = *runtimeGetRuntime();
    // The first enumeration lays out the registrations: part of every start.
    BenchClock firstClock;
    int names = 0;
    while (runtime.nextSymbol()) ++names;
    report("first registry enumeration", firstClock.seconds() * 1000, "ms");
    std::printf("registered names: %d\n", names);
    std::vector<uint8_t> image = largeImage(runtime);
    const int rounds = 5;
    BenchClock clock;
    for (int i = 0; i < rounds; ++i) {
        LinkedModule module;
        std::string error;
        if (!linkModuleImage(image.data(), image.size(), runtime, module, error)) {
            std::printf("link failed: %s\n", error.c_str());
            return 1;
        }
    }
    double perLink = clock.seconds() / rounds;
    report("link 200000 relocations", perLink * 1000, "ms");
    report("relocations per second", 200000 / perLink / 1e6, "million");

    std::vector<uint8_t> empty = {1, 0, 0, 0, 0xC3, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0};
    const int runs = 50;
    BenchClock startClock;
    for (int i = 0; i < runs; ++i) {
        LinkedModule module;
        std::string error;
        linkModuleImage(empty.data(), empty.size(), runtime, module, error);
        runtime.execute(&emptyMain, "", nullptr);
    }
    report("link and run an empty program", startClock.seconds() / runs * 1000, "ms");
    return 0;
}
