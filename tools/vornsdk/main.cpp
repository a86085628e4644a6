// vornsdk: makes the SDK's generated files from the runtime's registrations
// and the descriptions kept in docs/command_descriptions.txt:
//   vornsdk [SOURCE] --descriptions FILE              sdk/vorn.h on standard output
//   vornsdk [SOURCE] --symbols                        sdk/vorn.symbols (names only)
//   vornsdk [SOURCE] --descriptions FILE --reference  docs/commands.md
//   vornsdk [SOURCE] --descriptions FILE --check      fails (exit code 1) naming every
//                                                     registered command without a description
// vornsdk.exe reads the registrations linked into it; the build host's
// vornsdk reads them from the runtime's sources (SOURCE is --sources LIST).
#include <cstdio>
#include <string>
#include <vector>

#include "runtime/symbol_registration.h"
#include "tools/vornsdk/registrations.h"
#include "tools/vornsdk/sdk_writer.h"

namespace {

const char kUsage[] =
    "usage: vornsdk [--sources LIST] [--descriptions FILE] [--symbols | --reference | --check]\n"
    "  writes sdk/vorn.h (default), sdk/vorn.symbols (--symbols) or docs/commands.md\n"
    "  (--reference) on standard output; --check fails naming each registered command\n"
    "  that FILE does not describe. --sources: the runtime's source files, one a line\n"
    "  (the build host's vornsdk reads the registrations from them).\n";

bool takeOption(std::vector<std::string>& args, const char* option) {
    for (size_t i = 0; i < args.size(); ++i)
        if (args[i] == option) {
            args.erase(args.begin() + i);
            return true;
        }
    return false;
}

bool takeValue(std::vector<std::string>& args, const char* option, std::string& value) {
    for (size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == option) {
            value = args[i + 1];
            args.erase(args.begin() + i, args.begin() + i + 2);
            return true;
        }
    return false;
}

} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (takeOption(args, "--help")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (!loadRegistrations(args)) return 2;
    std::string descriptionsPath;
    bool haveDescriptions = takeValue(args, "--descriptions", descriptionsPath);
    bool symbols = takeOption(args, "--symbols");
    bool reference = takeOption(args, "--reference");
    bool check = takeOption(args, "--check");
    if (!args.empty() || symbols + reference + check > 1 || (!symbols && !haveDescriptions)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    const SymbolTable& table = registeredSymbols();
    if (symbols) {
        std::fputs(symbolList(table).c_str(), stdout);
        return 0;
    }
    CommandDescriptions descriptions = readCommandDescriptions(descriptionsPath);
    if (check) {
        std::vector<std::string> problems = descriptionProblems(table, descriptions, descriptionsPath);
        for (const std::string& problem : problems) std::fprintf(stderr, "vornsdk: %s\n", problem.c_str());
        return problems.empty() ? 0 : 1;
    }
    std::string text = reference ? commandReference(table, descriptions) : sdkHeader(table, descriptions);
    std::fputs(text.c_str(), stdout);
    return 0;
}
