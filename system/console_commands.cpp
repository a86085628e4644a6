// The console commands Write, Print and Input. Write and Print write the text
// up to its first NUL; Print ends the line with a line feed. Input reads one line.
#include <cstring>

#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"
#include "system/console.h"

namespace {

int textLength(KrString* s) { return static_cast<int>(std::strlen(krText(s))); }

bool blank(char c) { return static_cast<unsigned char>(c) <= 32; }

} // namespace

extern "C" {

__attribute__((stdcall)) void Write(KrString* text) { console::write(krText(text), textLength(text)); }

__attribute__((stdcall)) void Print(KrString* text) {
    // A short line goes out in one write, so that lines from other writers
    // to the same pipe never split it from its line break.
    int length = textLength(text);
    char line[512];
    if (length < static_cast<int>(sizeof line)) {
        std::memcpy(line, krText(text), static_cast<size_t>(length));
        line[length] = '\n';
        console::write(line, length + 1);
        return;
    }
    console::write(krText(text), length);
    console::write("\n", 1);
}

// One line of at most 255 bytes, without the blanks and control characters
// around it (the line break among them); "" at the end of input.
__attribute__((stdcall)) KrString* Input(KrString* prompt) {
    console::write(krText(prompt), textLength(prompt));
    char line[256];
    int end = console::readLine(line, sizeof line);
    int start = 0;
    while (start < end && blank(line[start])) ++start;
    while (end > start && blank(line[end - 1])) --end;
    return krNewString(line + start, end - start);
}

}

KR_COMMAND(Runtime, "Write$text", Write);
KR_COMMAND(Runtime, "Print$text", Print);
KR_COMMAND(Runtime, "$Input$prompt=\"\"", Input);
