#include "gui/text_area.h"

#include <climits>

int KrTextArea::lineLength(int line) {
    int next = line == INT_MAX ? line : line + 1;
    return firstCharOfLine(next) - firstCharOfLine(line);
}
