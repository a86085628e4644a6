// The names of Windows versions that SystemProperty("os") gives.
#include <gtest/gtest.h>

#include <string>

#include "system/system_properties.h"

TEST(SystemProperties, OsNamesByVersion) {
    struct Case {
        unsigned major, minor, build;
        const char* name;
    };
    const Case cases[] = {
        {3, 51, 1057, "Windows NT 3.1"}, {4, 0, 950, "Windows 95"},     {4, 10, 1998, "Windows 98"},
        {4, 90, 3000, "Windows ME"},     {5, 0, 2195, "Windows 2000"},  {5, 1, 2600, "Windows XP"},
        {6, 0, 6002, "Windows Vista"},   {6, 1, 7601, "Windows 7"},     {6, 2, 9200, "Windows 8"},
        {6, 3, 9600, "Windows 8.1"},     {10, 0, 19045, "Windows 10"},  {10, 0, 21999, "Windows 10"},
        {10, 0, 22000, "Windows 11"},    {10, 0, 26100, "Windows 11"},
        // Versions without a name of their own.
        {5, 2, 3790, ""},                {6, 4, 0, ""},                 {10, 1, 0, ""},
        {11, 0, 0, ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(std::string(osName(c.major, c.minor, c.build)), c.name)
            << "version " << c.major << "." << c.minor << " build " << c.build;
}
