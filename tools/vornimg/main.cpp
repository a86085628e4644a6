// Command line of vornimg: `vornimg OBJ... IMAGE` links COFF objects into a
// module image; `vornimg --dump IMAGE` lists an image.
#include <unistd.h>

#include <cstring>
#include <iostream>
#include <set>
#include <vector>

#include "byte_io.h"
#include "coff_reader.h"
#include "image_builder.h"
#include "link_check.h"
#include "module_image.h"
#include "object_merge.h"

namespace {

const char kUsage[] =
    "usage: vornimg [--symbols FILE | --no-link-check] OBJ... IMAGE\n"
    "           link i386 COFF objects into a module image. Every name the\n"
    "           objects leave undefined must be one the runtime resolves, as\n"
    "           listed in vorn.symbols (FILE, or the sdk/vorn.symbols or\n"
    "           share/vorn/vorn.symbols found from this tool's directory);\n"
    "           --no-link-check leaves unknown names for the runtime to refuse.\n"
    "       vornimg --dump IMAGE  list a module image:\n"
    "           code <size in bytes>\n"
    "           symbols <count>\n"
    "           symbol <offset> <name>          (one line per symbol)\n"
    "           relative <count>\n"
    "           rel <offset> <name> <stored>    (one line per relative relocation)\n"
    "           absolute <count>\n"
    "           abs <offset> <name> <stored>    (one line per absolute relocation)\n"
    "       offsets are 0x%08x into the code block; <stored> is the signed value\n"
    "       the field holds before linking.\n";

bool readable(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// The symbol list beside the SDK header, found from this tool's own place:
// build/bin/ in the source tree, bin/ in an installed tree.
std::string default_symbol_list() {
    char self[4096];
    ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "";
    std::string dir(self, static_cast<size_t>(n));
    dir.erase(dir.find_last_of('/') + 1);
    for (const char* relative : {"../../sdk/vorn.symbols", "../share/vorn/vorn.symbols"})
        if (readable(dir + relative)) return dir + relative;
    return "";
}

int link(const std::vector<std::string>& objects, const std::string& output, std::string symbols, bool check) {
    std::string current;
    try {
        std::vector<vornimg::CoffObject> parsed;
        for (const std::string& path : objects) {
            current = path;
            parsed.push_back(vornimg::read_coff(vornimg::read_file(path)));
        }
        current = objects.size() == 1 ? objects.front() : output;
        vornimg::ModuleImage image = vornimg::build_image(vornimg::merge_objects(parsed));
        if (check && symbols.empty()) symbols = default_symbol_list();
        if (check && !symbols.empty()) vornimg::check_undefined_names(image, vornimg::read_symbol_list(symbols));
        vornimg::write_file(output, vornimg::serialize_image(image));
    } catch (const vornimg::Error& e) {
        std::cerr << "vornimg: " << current << ": " << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "vornimg: " << current << ": out of memory\n";
        return 1;
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::cout << kUsage;
        return 0;
    }
    if (argc == 3 && !std::strcmp(argv[1], "--dump")) {
        try {
            vornimg::dump_image(vornimg::parse_image(vornimg::read_file(argv[2])), std::cout);
            std::cout.flush();
            if (!std::cout) throw vornimg::Error("cannot write the listing");
        } catch (const vornimg::Error& e) {
            std::cerr << "vornimg: " << argv[2] << ": " << e.what() << '\n';
            return 1;
        } catch (const std::bad_alloc&) {
            std::cerr << "vornimg: " << argv[2] << ": out of memory\n";
            return 1;
        }
        return 0;
    }
    std::vector<std::string> files;
    std::string symbols;
    bool check = true;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--symbols") && i + 1 < argc) {
            symbols = argv[++i];
        } else if (!std::strcmp(argv[i], "--no-link-check")) {
            check = false;
        } else if (argv[i][0] == '-' && argv[i][1]) {
            std::cerr << "vornimg: unknown option " << argv[i] << '\n' << kUsage;
            return 2;
        } else {
            files.push_back(argv[i]);
        }
    }
    if (files.size() < 2) {
        std::cerr << kUsage;
        return 2;
    }
    std::string output = files.back();
    files.pop_back();
    return link(files, output, symbols, check);
}
