#include "gui/text_range.h"

#include <cstdint>

int textLength(TextLines& text, int units) { return units == kTextUnitsLines ? text.lineCount() : text.charCount(); }

int firstCharOfLine(TextLines& text, int line) {
    if (line < 0) return 0;
    if (line < text.lineCount()) return text.lineIndex(line);
    return text.charCount();
}

int lineOfChar(TextLines& text, int ch) {
    if (ch < 0) return 0;
    if (ch > text.charCount()) return text.lineCount();
    return text.lineFromChar(ch);
}

TextRange normaliseTextRange(TextLines& text, int pos, int len, int units) {
    int n = textLength(text, units);
    if (pos < 0) pos = 0;
    if (pos > n) pos = n;
    // Compared as n - pos so that a huge length cannot overflow pos + len.
    if (len < 0 || len > n - pos) len = n - pos;
    if (units != kTextUnitsLines) return TextRange{pos, len};
    int start = firstCharOfLine(text, pos);
    int end = firstCharOfLine(text, pos + len);
    return TextRange{start, end - start};
}

int tabStopTwips(int index, int tabs, int pixelsPerInch) {
    if (pixelsPerInch <= 0) pixelsPerInch = 96;
    int64_t twips = int64_t(index) * tabs * (11520 / pixelsPerInch);
    if (twips < 0) return 0;
    if (twips > 0xFFFFFF) return 0xFFFFFF;
    return static_cast<int>(twips);
}
