// Fuzz target: picture files through loadPixmap, the decoder chosen by the
// file name's extension. Input: one byte choosing the extension, then the
// file's bytes.
#include <cstddef>
#include <cstdint>
#include <string>

#include "fuzz_file.h"
#include "gfx2d/image_file.h"
#include "gfx2d/kr_pixmap.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const kExtensions[] = {".bmp", ".png", ".jpg", ".jpeg", ".PNG", ".JPG", ".dib"};
    if (size < 1) return 0;
    const char* extension = kExtensions[data[0] % (sizeof kExtensions / sizeof *kExtensions)];
    std::string path = writeFuzzFile(data + 1, size - 1, extension);
    if (path.empty()) return 0;
    if (KrPixmap* pixmap = loadPixmap(path.c_str())) pixmap->release();
    return 0;
}
