// Text area positions over an in-memory text: the clamped line and character
// queries, range normalisation in characters and lines for any position and
// length (no overflow, every range inside the text), and tab stops in twips.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "gui/text_range.h"

namespace {

// Lines end with '\n', which counts as one character of its line.
class StringLines : public TextLines {
public:
    explicit StringLines(std::string text) : text_(std::move(text)) {}

    int charCount() override { return static_cast<int>(text_.size()); }
    int lineCount() override { return lineFromChar(charCount()) + 1; }
    int lineIndex(int line) override {
        EXPECT_TRUE(line >= 0 && line < lineCount()) << "native line index asked for line " << line;
        size_t at = 0;
        for (int i = 0; i < line; ++i) at = text_.find('\n', at) + 1;
        return static_cast<int>(at);
    }
    int lineFromChar(int ch) override {
        EXPECT_TRUE(ch >= 0 && ch <= charCount()) << "native line asked for character " << ch;
        int line = 0;
        for (int i = 0; i < ch; ++i) line += text_[i] == '\n';
        return line;
    }

    std::string read(TextRange r) const { return text_.substr(r.start, r.length); }

private:
    std::string text_;
};

void expectRange(TextRange got, int start, int length) {
    EXPECT_EQ(got.start, start) << "range start";
    EXPECT_EQ(got.length, length) << "range length";
}

} // namespace

TEST(TextRange, DefaultsReadTheWholeTextInCharactersAndInLines) {
    StringLines text("one\ntwo\nthree");
    expectRange(normaliseTextRange(text, 0, -1, 1), 0, 13);
    expectRange(normaliseTextRange(text, 0, -1, 2), 0, 13);
    // Any units but 2 are characters.
    expectRange(normaliseTextRange(text, 0, -1, 7), 0, 13);
    expectRange(normaliseTextRange(text, 0, -1, 0), 0, 13);
}

TEST(TextRange, PositionsPastEitherEndAndLengthsPastTheEndAreCut) {
    StringLines text("abc");
    expectRange(normaliseTextRange(text, 5, 0, 1), 3, 0); // where "x" would be appended
    expectRange(normaliseTextRange(text, -4, 2, 1), 0, 2);
    expectRange(normaliseTextRange(text, 1, -1, 1), 1, 2);
    expectRange(normaliseTextRange(text, 1, 99, 1), 1, 2);
    expectRange(normaliseTextRange(text, 2, 0, 1), 2, 0);
}

TEST(TextRange, ExtremeValuesStayInsideTheText) {
    StringLines text("ab\ncd");
    for (int pos : {INT_MIN, -1, 0, 1, 4, 5, 6, INT_MAX})
        for (int len : {INT_MIN, -1, 0, 1, 3, INT_MAX - 1, INT_MAX})
            for (int units : {1, 2}) {
                TextRange r = normaliseTextRange(text, pos, len, units);
                EXPECT_TRUE(r.start >= 0 && r.length >= 0 && r.start + r.length <= 5)
                    << "pos " << pos << " len " << len << " units " << units << " gave " << r.start << "+"
                    << r.length;
            }
    expectRange(normaliseTextRange(text, INT_MAX, INT_MAX, 1), 5, 0);
    expectRange(normaliseTextRange(text, 1, INT_MAX, 1), 1, 4);
    expectRange(normaliseTextRange(text, 1, INT_MAX, 2), 3, 2);
}

TEST(TextRange, LineRangesCoverWholeLinesWithTheirBreaks) {
    StringLines text("ab\ncd\nef");
    TextRange second = normaliseTextRange(text, 1, 1, 2);
    expectRange(second, 3, 3);
    EXPECT_EQ(text.read(second), "cd\n");
    expectRange(normaliseTextRange(text, 1, -1, 2), 3, 5);
    // An empty line range is the start of its line, past the end the end.
    expectRange(normaliseTextRange(text, 2, 0, 2), 6, 0);
    expectRange(normaliseTextRange(text, 9, 0, 2), 8, 0);
    expectRange(normaliseTextRange(text, -3, 1, 2), 0, 3);
}

TEST(TextRange, QueriesClampOutsideTheText) {
    StringLines text("ab\ncd\nef");
    EXPECT_EQ(lineOfChar(text, -1), 0);
    EXPECT_EQ(lineOfChar(text, INT_MIN), 0);
    EXPECT_EQ(lineOfChar(text, 1000000), 3); // the line count
    EXPECT_EQ(lineOfChar(text, 8), 2);       // the end is on the last line
    EXPECT_EQ(lineOfChar(text, 3), 1);
    EXPECT_EQ(firstCharOfLine(text, -1), 0);
    EXPECT_EQ(firstCharOfLine(text, 2), 6);
    EXPECT_EQ(firstCharOfLine(text, 3), 8); // the line count gives the length
    EXPECT_EQ(firstCharOfLine(text, INT_MAX), 8);
    EXPECT_EQ(textLength(text, 1), 8);
    EXPECT_EQ(textLength(text, 2), 3);
}

TEST(TextRange, EmptyTextHasOneLineAndOnlyEmptyRanges) {
    StringLines text("");
    EXPECT_EQ(textLength(text, 2), 1);
    expectRange(normaliseTextRange(text, 0, -1, 1), 0, 0);
    expectRange(normaliseTextRange(text, 0, -1, 2), 0, 0);
    expectRange(normaliseTextRange(text, 3, 3, 2), 0, 0);
}

TEST(TextRange, TabStopsInTwipsFromThePixelsPerInch) {
    EXPECT_EQ(tabStopTwips(0, 4, 96), 0);
    EXPECT_EQ(tabStopTwips(1, 4, 96), 480); // 4 pixels of 120 twips
    EXPECT_EQ(tabStopTwips(31, 4, 96), 31 * 480);
    EXPECT_EQ(tabStopTwips(3, 10, 120), 3 * 10 * 96);
    EXPECT_EQ(tabStopTwips(1, 1, 144), 80);
    // 11520 / 100 is 115 in integers, not 115.2.
    EXPECT_EQ(tabStopTwips(2, 5, 100), 2 * 5 * 115);
    EXPECT_EQ(tabStopTwips(1, 4, 0), 480);
    EXPECT_EQ(tabStopTwips(5, -8, 96), 0);
    EXPECT_EQ(tabStopTwips(31, INT_MAX, 96), 0xFFFFFF);
}
