// Memory for linked code, the exception chain, the fault guard and the
// message box on POSIX systems, for the native build (unit tests and
// fuzzing).
//
// The fault guard does nothing here on purpose: under the sanitizers and the
// fuzzers a fault must surface as the crash it is, with their report, rather
// than be turned into a runtime error. There is no structured-exception chain
// to save, and a message goes to standard error.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "platform/end_point.h"
#include "platform/exec_memory.h"
#include "platform/fault_guard.h"
#include "platform/message_box.h"

namespace platform {

// Linked code holds its own addresses in 32 bits: on a 64-bit host the block
// lies in the low 2 GB.
uint8_t* allocateExecutable(size_t size) {
#ifdef MAP_32BIT
    constexpr int kLow = sizeof(void*) == 8 ? MAP_32BIT : 0;
#else
    constexpr int kLow = 0;
#endif
    void* block = mmap(nullptr, size ? size : 1, PROT_READ | PROT_WRITE | PROT_EXEC,
                       MAP_PRIVATE | MAP_ANONYMOUS | kLow, -1, 0);
    return block == MAP_FAILED ? nullptr : static_cast<uint8_t*>(block);
}

void freeExecutable(uint8_t* block, size_t size) { munmap(block, size ? size : 1); }

void* currentExceptionChain() { return nullptr; }
void restoreExceptionChain(void*) {}

void installFaultGuard(FaultErrorPath, void* (*)()) {}
void removeFaultGuard() {}

void showMessage(const char* text, const char* caption, bool) {
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
}

void exitProcess(int code) { _exit(code); }

const char* executableTitle() {
    static std::string title;
    if (title.empty()) {
        char path[4096];
        ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
        std::string name = n > 0 ? std::string(path, static_cast<size_t>(n)) : "program";
        name.erase(0, name.find_last_of('/') + 1);
        size_t dot = name.find_last_of('.');
        if (dot != std::string::npos) name.erase(dot);
        title = name;
    }
    return title.c_str();
}

} // namespace platform
