// Positions in a text area's text: the line and character queries clamped to
// the text, and the ranges that the text commands read, replace and format,
// given in characters (units 1, or any value but 2) or in lines (units 2).
//
// The arithmetic runs on what the native control reports through TextLines,
// so it holds for any position and length a program passes: nothing here
// overflows, and every range it returns lies inside the text.
#pragma once

constexpr int kTextUnitsLines = 2;

// What a text area's control says about its text.
class TextLines {
public:
    virtual int charCount() = 0;
    virtual int lineCount() = 0;
    // The first character of a line 0 <= line < lineCount().
    virtual int lineIndex(int line) = 0;
    // The line of a character 0 <= ch <= charCount().
    virtual int lineFromChar(int ch) = 0;

protected:
    ~TextLines() = default;
};

// Lines for units 2, characters otherwise.
int textLength(TextLines& text, int units);
// 0 for a negative line, the character count for a line past the last.
int firstCharOfLine(TextLines& text, int line);
// 0 for a negative character, the line count for one past the end.
int lineOfChar(TextLines& text, int ch);

// A run of characters inside the text.
struct TextRange {
    int start;
    int length;
};

// A position past either end moves to that end, a negative length or one
// past the end reaches to the end; line ranges become the characters from
// the start of the first line to the start of the line after the last (an
// empty line range keeps its place as the start of its line).
TextRange normaliseTextRange(TextLines& text, int pos, int len, int units);

// Tab stop `index` of a text area with `tabs` pixels between stops, in twips
// (11520 / pixelsPerInch per pixel, integer), within what a rich text
// control takes (0..0xFFFFFF). A screen reporting no resolution counts as
// 96 pixels per inch.
int tabStopTwips(int index, int tabs, int pixelsPerInch);
