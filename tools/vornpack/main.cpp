// vornpack: makes a finished program from a module image.
//
//   vornpack [OPTIONS] IMAGE OUT.exe
//
// The result is the runtime library's own image, turned into an executable
// whose entry point is _krWinMain@0, with the module image added as resource
// RCDATA 1111. The runtime library is taken from this tool's own directory,
// and the image is first linked against it, so that an image the finished
// program would refuse is refused here, with the same text.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/module_linker.h"
#include "runtime/runtime.h"
#include "tools/common/file_bytes.h"
#include "tools/vornpack/pe_image.h"
#include "tools/vornpack/resources.h"

namespace {

constexpr int kModuleImageId = 1111;

const char kUsage[] =
    "usage: vornpack [OPTIONS] IMAGE OUT.exe\n"
    "Makes the finished program OUT.exe from a module image.\n"
    "  --console         keep a console subsystem program (for command-line tools);\n"
    "                    by default the program is a GUI program whose console\n"
    "                    window appears only when it writes or reads text\n"
    "  --icon FILE.ico   the program's icon\n"
    "  --title TEXT      the program's description and product name\n"
    "  --version TEXT    the program's version (a.b.c.d for the numeric version)\n"
    "  --help            this text\n"
    "Exit codes: 0 done; 1 a file could not be read or written; 2 bad usage or\n"
    "an image that the runtime refuses (its reason on standard error).\n";

struct Options {
    bool console = false;
    std::string icon, title, version, image, output;
};

// False after printing why the command line is wrong.
bool parseOptions(int argc, char** argv, Options& options, bool& help) {
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) {
                std::fprintf(stderr, "vornpack: %s needs a value\n", arg.c_str());
                return false;
            }
            into = argv[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            help = true;
            return true;
        } else if (arg == "--console") {
            options.console = true;
        } else if (arg == "--icon" || arg == "--title" || arg == "--version") {
            if (!value(arg == "--icon" ? options.icon : arg == "--title" ? options.title : options.version)) return false;
        } else if (arg.size() > 1 && arg[0] == '-' && arg != "--") {
            std::fprintf(stderr, "vornpack: unknown option %s\n", arg.c_str());
            return false;
        } else {
            files.push_back(arg);
        }
    }
    if (files.size() != 2) return false;
    options.image = files[0];
    options.output = files[1];
    return true;
}

std::string toolDirectory() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n < MAX_PATH ? n : 0);
    size_t slash = dir.find_last_of("\\/");
    dir.erase(slash == std::string::npos ? 0 : slash + 1);
    return dir;
}

std::string baseName(const std::string& path) {
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// Links the image against the runtime library as the finished program will;
// false with the linker's own text.
bool checkImage(const std::string& libraryPath, const std::vector<uint8_t>& image, std::string& error) {
    HMODULE library = LoadLibraryA(libraryPath.c_str());
    auto getRuntime = library ? reinterpret_cast<Runtime* (*)()>(
                                    reinterpret_cast<void*>(GetProcAddress(library, "runtimeGetRuntime")))
                              : nullptr;
    if (!getRuntime) {
        error = "vornpack: can't load '" + libraryPath + "'";
        return false;
    }
    LinkedModule module;
    return linkModuleImage(image.data(), image.size(), *getRuntime(), module, error);
}

bool addResource(HANDLE update, LPCSTR type, LPCSTR name, const std::vector<uint8_t>& data) {
    return UpdateResourceA(update, type, name, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL),
                           const_cast<uint8_t*>(data.data()), static_cast<DWORD>(data.size()));
}

} // namespace

int main(int argc, char** argv) {
    Options options;
    bool help = false;
    if (!parseOptions(argc, argv, options, help)) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    if (help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    std::vector<uint8_t> image, library, iconFile;
    if (!readFileBytes(options.image, image)) {
        std::fprintf(stderr, "vornpack: can't read module image '%s'\n", options.image.c_str());
        return 1;
    }
    IconResources icon;
    std::string error;
    if (!options.icon.empty()) {
        if (!readFileBytes(options.icon, iconFile)) {
            std::fprintf(stderr, "vornpack: can't read icon '%s'\n", options.icon.c_str());
            return 1;
        }
        if (!parseIconFile(iconFile, icon, error)) {
            std::fprintf(stderr, "vornpack: %s: %s\n", options.icon.c_str(), error.c_str());
            return 2;
        }
    }
    std::string libraryPath = toolDirectory() + "runtime.dll";
    if (!checkImage(libraryPath, image, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    if (!readFileBytes(libraryPath, library)) {
        std::fprintf(stderr, "vornpack: can't read '%s'\n", libraryPath.c_str());
        return 1;
    }
    if (!makeExecutable(library, options.console, error)) {
        std::fprintf(stderr, "vornpack: %s\n", error.c_str());
        return 1;
    }
    const char* out = options.output.c_str();
    if (!writeFileBytes(options.output, library)) {
        std::fprintf(stderr, "vornpack: can't write '%s'\n", out);
        return 1;
    }
    HANDLE update = BeginUpdateResourceA(out, FALSE);
    bool ok = update && addResource(update, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(kModuleImageId), image);
    for (size_t i = 0; ok && i < icon.images.size(); ++i)
        ok = addResource(update, MAKEINTRESOURCEA(3), MAKEINTRESOURCEA(i + 1), icon.images[i].data);
    if (ok && !icon.images.empty()) ok = addResource(update, MAKEINTRESOURCEA(14), MAKEINTRESOURCEA(1), icon.directory);
    if (ok && (!options.title.empty() || !options.version.empty()))
        ok = addResource(update, MAKEINTRESOURCEA(16), MAKEINTRESOURCEA(1),
                         versionResource(options.title, options.version, baseName(options.output)));
    if (!update || !EndUpdateResourceA(update, !ok) || !ok) {
        std::fprintf(stderr, "vornpack: can't add the resources to '%s'\n", out);
        DeleteFileA(out);
        return 1;
    }
    return 0;
}
