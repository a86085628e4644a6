// Command line of vornimg: `vornimg OBJ IMAGE` converts a COFF object into a
// module image; `vornimg --dump IMAGE` lists an image.
#include <cstring>
#include <iostream>

#include "byte_io.h"
#include "coff_reader.h"
#include "image_builder.h"
#include "module_image.h"

namespace {

const char kUsage[] =
    "usage: vornimg OBJ IMAGE     convert an i386 COFF object into a module image\n"
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

}  // namespace

int main(int argc, char** argv) {
    if (argc == 2 && (!std::strcmp(argv[1], "--help") || !std::strcmp(argv[1], "-h"))) {
        std::cout << kUsage;
        return 0;
    }
    if (argc != 3) {
        std::cerr << kUsage;
        return 2;
    }
    const bool dump = !std::strcmp(argv[1], "--dump");
    const std::string input = dump ? argv[2] : argv[1];
    try {
        if (dump) {
            vornimg::dump_image(vornimg::parse_image(vornimg::read_file(input)), std::cout);
            std::cout.flush();
            if (!std::cout) throw vornimg::Error("cannot write the listing");
        } else {
            vornimg::CoffObject obj = vornimg::read_coff(vornimg::read_file(input));
            vornimg::ModuleImage image = vornimg::build_image(obj);
            vornimg::write_file(argv[2], vornimg::serialize_image(image));
        }
    } catch (const vornimg::Error& e) {
        std::cerr << "vornimg: " << input << ": " << e.what() << '\n';
        return 1;
    } catch (const std::bad_alloc&) {
        std::cerr << "vornimg: " << input << ": out of memory\n";
        return 1;
    }
    return 0;
}
