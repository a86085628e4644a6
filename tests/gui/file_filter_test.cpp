// The file requester's filter list: entries per extension up to the first
// empty piece, the closing "All files" entry, the default extension and first
// file name, and lists too long for the 257-byte buffer.
#include <gtest/gtest.h>

#include <string>

#include "gui/file_filter.h"

namespace {

std::string listOf(const FileFilter& f) { return std::string(f.text, f.used); }

} // namespace

TEST(FileFilter, OneEntryPerExtensionThenAllFiles) {
    FileFilter f = buildFileFilter("bmp,png");
    EXPECT_EQ(listOf(f), std::string("bmp Files\0*.bmp\0png Files\0*.png\0All files\0*.*\0\0\0", 48));
    EXPECT_EQ(f.entries, 3);
    EXPECT_EQ(f.defaultExtension, "bmp");
    EXPECT_EQ(f.initialName, "*.bmp");
}

TEST(FileFilter, AnEmptyPieceEndsTheList) {
    FileFilter f = buildFileFilter("bmp,,png");
    EXPECT_EQ(listOf(f), std::string("bmp Files\0*.bmp\0All files\0*.*\0\0\0", 32));
    EXPECT_EQ(f.entries, 2);
    FileFilter trailing = buildFileFilter("bmp,");
    EXPECT_EQ(trailing.entries, 2);
    // A list that starts empty offers no extension of its own.
    FileFilter leading = buildFileFilter(",bmp");
    EXPECT_EQ(leading.entries, 1);
    EXPECT_EQ(leading.defaultExtension, "");
    EXPECT_EQ(leading.initialName, "");
}

TEST(FileFilter, NoExtensionsGiveOnlyAllFiles) {
    for (const char* none : {"", static_cast<const char*>(nullptr)}) {
        FileFilter f = buildFileFilter(none);
        EXPECT_EQ(listOf(f), std::string("All files\0*.*\0\0\0", 16));
        EXPECT_EQ(f.defaultExtension, "");
        EXPECT_EQ(f.initialName, "");
    }
}

TEST(FileFilter, ALongListKeepsThePiecesThatFitAndNothingPastTheBuffer) {
    // Each "xxxxxxxxxN" piece takes 2 * 10 + 10 = 30 bytes; with the closing
    // 16, eight fit (256 bytes) and the ninth does not.
    std::string many;
    for (int i = 0; i < 20; ++i) many += (i ? "," : "") + std::string(9, 'x') + char('a' + i);
    FileFilter f = buildFileFilter(many.c_str());
    EXPECT_EQ(f.entries, 9);
    EXPECT_EQ(f.used, 8 * 30 + 16);
    EXPECT_LE(f.used, kFileFilterSize);
    std::string list = listOf(f);
    EXPECT_NE(list.find("*.xxxxxxxxxh"), std::string::npos);
    EXPECT_EQ(list.find("*.xxxxxxxxxi"), std::string::npos);
    EXPECT_EQ(list.substr(list.size() - 16), std::string("All files\0*.*\0\0\0", 16));
    EXPECT_EQ(f.text[kFileFilterSize - 1], 0);
}

TEST(FileFilter, APieceExactlyFillingTheBufferIsKept) {
    // 2 * 115 + 10 + 16 = 256; 116 would need 258.
    FileFilter fits = buildFileFilter(std::string(115, 'e').c_str());
    EXPECT_EQ(fits.entries, 2);
    EXPECT_EQ(fits.used, 256);
    FileFilter over = buildFileFilter(std::string(116, 'e').c_str());
    EXPECT_EQ(over.entries, 1);
    EXPECT_EQ(over.used, 16);
}

TEST(FileFilter, AFirstPatternTooLongForTheFileNameStartsEmpty) {
    FileFilter fits = buildFileFilter(std::string(257, 'f').c_str());
    EXPECT_EQ(fits.initialName.size(), 259u);
    FileFilter over = buildFileFilter(std::string(258, 'f').c_str());
    EXPECT_EQ(over.defaultExtension.size(), 258u);
    EXPECT_EQ(over.initialName, "");
}
