// Fonts on GDI: the metric relations, measurement of a string's full bytes,
// the style flags as the platform font carries them, the handle checks, and a
// font file registered by its path for the run's duration.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "gfx2d/kr_font.h"
#include "lang/kr_string.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) int LoadFont(KrString* name, int height, int bold, int italic, int underline);
__attribute__((stdcall)) void FreeFont(int font);
}

namespace {

KrFont* fontOf(int handle) { return reinterpret_cast<KrFont*>(handle); }

int loadFont(const std::string& name, int height, int bold = 0, int italic = 0, int underline = 0) {
    KrString* s = krNewString(name.c_str());
    int font = LoadFont(s, height, bold, italic, underline);
    s->release();
    return font;
}

LOGFONTA platformDescription(int font) {
    LOGFONTA description{};
    auto handle = reinterpret_cast<HFONT>(static_cast<intptr_t>(fontOf(font)->query(3)));
    EXPECT_EQ(GetObjectA(handle, sizeof description, &description), static_cast<int>(sizeof description));
    return description;
}

void measure(int font, const char* bytes, int length, int& width, int& height) {
    KrString* s = krNewString(bytes, length);
    fontOf(font)->measure(s, width, height);
    s->release();
}

} // namespace

TEST(Font, MetricsHoldTogetherAndAscentIsNeverAboveAStringsHeight) {
    RunRecord run = runAsProgram([] {
        for (int height : {8, 10, 16, 33}) {
            int font = loadFont("courier", height);
            ASSERT_NE(font, 0);
            KrFont* f = fontOf(font);
            EXPECT_GT(f->ascent(), 0) << "height " << height;
            EXPECT_GE(f->descent(), 0) << "height " << height;
            EXPECT_EQ(f->lineHeight(), f->ascent() + f->descent()) << "height " << height;
            EXPECT_GT(f->maxCharWidth(), 0) << "height " << height;
            int w = 0, h = 0;
            measure(font, "Hello, gj", 9, w, h);
            EXPECT_GT(w, 0);
            EXPECT_LE(f->ascent(), h) << "height " << height;
            measure(font, "", 0, w, h);
            EXPECT_EQ(w, 0) << "the empty string has no width";
            FreeFont(font);
        }
    });
    EXPECT_TRUE(run.finished) << run.error();
}

// The string's length bounds it, not a NUL inside it: "a\0a" is three
// characters wide, not one.
TEST(Font, MeasureCoversTheStringsFullLength) {
    RunRecord run = runAsProgram([] {
        int font = loadFont("courier", 20);
        int one = 0, three = 0, h = 0;
        measure(font, "a", 1, one, h);
        measure(font, "a\0a", 3, three, h);
        EXPECT_GT(three, one * 2) << "got " << three << " for three characters, " << one << " for one";
        FreeFont(font);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Font, StyleFlagsReachThePlatformFont) {
    RunRecord run = runAsProgram([] {
        int styled = loadFont("arial", 12, 1, 1, 1);
        LOGFONTA d = platformDescription(styled);
        EXPECT_EQ(d.lfHeight, 12);
        EXPECT_EQ(d.lfWeight, 700);
        EXPECT_TRUE(d.lfItalic);
        EXPECT_TRUE(d.lfUnderline);
        EXPECT_FALSE(d.lfStrikeOut);
        EXPECT_STREQ(d.lfFaceName, "arial");

        // Only the low byte of each switch counts.
        int plain = loadFont("arial", 12, 0x100, 0x200, 0x7F00);
        d = platformDescription(plain);
        EXPECT_EQ(d.lfWeight, 400);
        EXPECT_FALSE(d.lfItalic);
        EXPECT_FALSE(d.lfUnderline);
        FreeFont(styled);
        FreeFont(plain);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Font, AnUnknownFaceStillGivesAFont) {
    RunRecord run = runAsProgram([] {
        int font = loadFont("no such face at all", 14);
        ASSERT_NE(font, 0);
        int w = 0, h = 0;
        measure(font, "abc", 3, w, h);
        EXPECT_GT(w, 0);
        EXPECT_GT(h, 0);
        FreeFont(font);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(Font, FreeFontIgnoresZeroAndChecksTheHandle) {
    int before = 0, after = 0;
    RunRecord run = runAsProgram([&] {
        FreeFont(0);
        before = static_cast<int>(liveObjects().size());
        int font = loadFont("courier", 10);
        FreeFont(font);
        after = static_cast<int>(liveObjects().size());
        KrString* notAFont = krNewString("x");
        FreeFont(toHandle(notAFont));
    });
    EXPECT_FALSE(run.finished);
    EXPECT_EQ(run.error(), "Invalid Font handle");
    EXPECT_EQ(after, before) << "FreeFont left the font alive";
}

TEST(Font, FontsStillHeldAtTheEndOfARunAreReleased) {
    int plain = 0, bold = 0;
    RunRecord run = runAsProgram([&] {
        plain = loadFont("courier", 10);
        bold = loadFont("courier", 12, 1);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_FALSE(liveObject(plain)) << "a font outlived its driver";
    EXPECT_FALSE(liveObject(bold)) << "a font outlived its driver";
}

namespace {

// A copy of a system TrueType font whose family is renamed to a face that no
// system has: the name keeps its length, so the tables keep their offsets.
constexpr char kSourceFont[] = "Z:\\usr\\share\\fonts\\truetype\\dejavu\\DejaVuSans.ttf";
constexpr char kOldFamily[] = "DejaVu Sans";
constexpr char kNewFamily[] = "VornTestFnt";

void replaceAll(std::string& bytes, const std::string& from, const std::string& to) {
    for (size_t at = bytes.find(from); at != std::string::npos; at = bytes.find(from, at + to.size()))
        bytes.replace(at, from.size(), to);
}

std::string utf16be(const char* text) {
    std::string out;
    for (const char* p = text; *p; ++p) {
        out += '\0';
        out += *p;
    }
    return out;
}

// Writes the renamed font into a fresh folder and returns its full path, or
// "" when the system font is not there.
std::string makeRenamedFont() {
    std::ifstream in(kSourceFont, std::ios::binary);
    if (!in) return "";
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    replaceAll(bytes, kOldFamily, kNewFamily);
    replaceAll(bytes, utf16be(kOldFamily), utf16be(kNewFamily));
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + "vorn_font_test_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "\\" + kNewFamily + ".ttf";
    std::ofstream(path, std::ios::binary).write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path;
}

int CALLBACK noteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM found) {
    *reinterpret_cast<bool*>(found) = true;
    return 0;
}

bool faceKnown(const char* face) {
    LOGFONTA wanted{};
    wanted.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(wanted.lfFaceName, face, LF_FACESIZE);
    HDC dc = CreateCompatibleDC(nullptr);
    bool found = false;
    EnumFontFamiliesExA(dc, &wanted, noteFamily, reinterpret_cast<LPARAM>(&found), 0);
    DeleteDC(dc);
    return found;
}

std::string faceInUse(int font) {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(static_cast<intptr_t>(fontOf(font)->query(3))));
    char face[LF_FACESIZE] = "";
    GetTextFaceA(dc, sizeof face, face);
    SelectObject(dc, previous);
    DeleteDC(dc);
    return face;
}

} // namespace

// The file is registered under its full path and stands for the face of its
// file name (the folders are no part of the face); the font driver removes
// the registration again when it stops.
TEST(Font, AFontFileIsRegisteredForTheRunAndNamesItsFace) {
    std::string path = makeRenamedFont();
    if (path.empty()) GTEST_SKIP() << "no " << kSourceFont << " to make a font file from";
    ASSERT_FALSE(faceKnown(kNewFamily)) << "the test face is known before its file is loaded";
    bool knownDuringRun = false;
    std::string used;
    RunRecord run = runAsProgram([&] {
        int font = loadFont(path, 24);
        knownDuringRun = faceKnown(kNewFamily);
        used = faceInUse(font);
        EXPECT_STREQ(platformDescription(font).lfFaceName, kNewFamily);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_TRUE(knownDuringRun) << "the font file was not registered";
    EXPECT_EQ(used, kNewFamily);
    EXPECT_FALSE(faceKnown(kNewFamily)) << "the font file stayed registered after the run";
    DeleteFileA(path.c_str());
    RemoveDirectoryA(path.substr(0, path.rfind('\\')).c_str());
}
