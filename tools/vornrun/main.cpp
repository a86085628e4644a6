// vornrun: runs a module image file under a debugger of its own.
//
//   vornrun IMAGE [ARGS...]   run the program; exit 0, 1 after a runtime
//                             error ("runtime error: MESSAGE" on stderr), 2
//                             when the image cannot be loaded or linked;
//                             after a runtime error, where it happened:
//                               "  fault at PLACE" when a fault ended the run
//                               "  called from SYMBOL+0xOFFSET", the program's
//                               innermost call on the stack
//   vornrun --symbols         list every registered name in registration order
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tools/common/file_bytes.h"
#include "tools/vornrun/program_location.h"

#include "runtime/debugger.h"
#include "runtime/module_linker.h"
#include "runtime/runtime.h"

namespace {

ProgramLocator locator;

void addSymbol(void*, const char* name, uint8_t* address) { locator.addSymbol(name, address); }

// Where a fault struck, from the runtime's "Fault at 0xADDRESS (MODULE+0xOFFSET)"
// log line: the program symbol when it is program code, else the module.
std::string faultPlace(const char* where) {
    uintptr_t address = std::strtoul(where, nullptr, 16);
    std::string place = locator.describe(address);
    if (!place.empty()) return place;
    const char* open = std::strchr(where, '(');
    const char* close = open ? std::strchr(open, ')') : nullptr;
    return close ? std::string(open + 1, close) : std::string(where);
}

class HostDebugger : public KrDebugger {
public:
    void onLog(const char* text) override {
        if (std::strncmp(text, kFaultPrefix, std::strlen(kFaultPrefix)) == 0)
            fault = faultPlace(text + std::strlen(kFaultPrefix));
    }
    void onMessage(const char* text, int) override {
        std::fflush(stdout);
        std::fprintf(stderr, "runtime error: %s\n", text);
        if (!fault.empty()) std::fprintf(stderr, "  fault at %s\n", fault.c_str());
        // The program's frames are still on the stack above this one.
        const uint32_t* top; // the thread's stack base, NT_TIB::StackBase
        __asm__("movl %%fs:4, %0" : "=r"(top));
        auto* here = static_cast<const uint32_t*>(__builtin_frame_address(0));
        if (uintptr_t call = locator.findCall(here, top))
            std::fprintf(stderr, "  called from %s\n", locator.describe(call).c_str());
        std::fflush(stderr);
        failed = true;
    }
    bool failed = false;

private:
    static constexpr const char* kFaultPrefix = "Fault at ";
    std::string fault;
};

// The argument text: what follows the image path in this process's command line.
std::string programArguments() {
    const char* p = GetCommandLineA();
    for (int skip = 0; skip < 2; ++skip) {
        while (*p == ' ' || *p == '\t') ++p;
        bool quoted = false;
        while (*p && (quoted || (*p != ' ' && *p != '\t'))) {
            if (*p == '"') quoted = !quoted;
            ++p;
        }
    }
    while (*p == ' ' || *p == '\t') ++p;
    return p;
}

int listSymbols(Runtime& runtime) {
    while (const char* name = runtime.nextSymbol()) std::printf("%s\n", name);
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    Runtime* runtime = runtimeGetRuntime();
    if (argc >= 2 && std::strcmp(argv[1], "--symbols") == 0) return listSymbols(*runtime);
    const char* usage =
        "usage: vornrun IMAGE [ARGS...]  run a module image; its output goes to standard output\n"
        "       vornrun --symbols        list every registered name, one a line\n"
        "       vornrun --help           this text\n"
        "Exit codes: 0 the program ended (also through End); 1 a runtime error, shown on\n"
        "standard error as 'runtime error: MESSAGE', followed by where it happened when\n"
        "that can be told; 2 the image could not be read, loaded or linked.\n";
    if (argc >= 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (argc < 2) {
        std::fputs(usage, stderr);
        return 2;
    }

    std::vector<uint8_t> image;
    if (!readFileBytes(argv[1], image)) {
        std::fprintf(stderr, "Can't read module image '%s'\n", argv[1]);
        return 2;
    }
    runtime->startup(GetModuleHandleA(nullptr));
    LinkedModule module;
    std::string error;
    setModuleSymbolVisitor(addSymbol, nullptr);
    if (!linkModuleImage(image.data(), image.size(), *runtime, module, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    locator.setCode(module.base, module.size);
    static HostDebugger debugger;
    std::string args = programArguments();
    runtime->execute(reinterpret_cast<KrEntryPoint>(module.base), args.c_str(), &debugger);
    runtime->shutdown();
    std::fflush(stdout);
    return debugger.failed ? 1 : 0;
}
