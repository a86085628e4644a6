// Resources that vornpack adds to a finished program besides its module image:
// the icon from an .ico file and the version information.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct IconResources {
    struct Image {
        std::vector<uint8_t> data;
    };
    std::vector<Image> images;      // RT_ICON 1..n
    std::vector<uint8_t> directory; // RT_GROUP_ICON 1, naming them
};

// Splits the bytes of an .ico file into its resources; false with a message
// in `error` when the file is not an icon file.
bool parseIconFile(const std::vector<uint8_t>& file, IconResources& icon, std::string& error);

// A VS_VERSIONINFO block: the title as file description and product name,
// the version text as file and product version (its leading numbers a.b.c.d
// also make the fixed version), and the executable's file name.
std::vector<uint8_t> versionResource(const std::string& title, const std::string& version,
                                     const std::string& fileName);
