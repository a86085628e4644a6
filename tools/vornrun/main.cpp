// vornrun: runs a module image file under a debugger of its own.
//
//   vornrun IMAGE [ARGS...]   run the program; exit 0, 1 after a runtime
//                             error ("runtime error: MESSAGE" on stderr), 2
//                             when the image cannot be loaded or linked
//   vornrun --symbols         list every registered name in registration order
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/common/file_bytes.h"

#include "runtime/debugger.h"
#include "runtime/module_linker.h"
#include "runtime/runtime.h"

namespace {

class HostDebugger : public KrDebugger {
public:
    void onMessage(const char* text, int) override {
        std::fflush(stdout);
        std::fprintf(stderr, "runtime error: %s\n", text);
        std::fflush(stderr);
        failed = true;
    }
    bool failed = false;
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
    if (argc < 2) {
        std::fprintf(stderr, "usage: vornrun IMAGE [ARGS...]\n       vornrun --symbols\n");
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
    if (!linkModuleImage(image.data(), image.size(), *runtime, module, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    static HostDebugger debugger;
    std::string args = programArguments();
    runtime->execute(reinterpret_cast<KrEntryPoint>(module.base), args.c_str(), &debugger);
    runtime->shutdown();
    std::fflush(stdout);
    return debugger.failed ? 1 : 0;
}
