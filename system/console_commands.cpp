// The console output commands Write and Print. Both write the text up to its
// first NUL; Print ends the line with a line feed.
#include <cstring>

#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"
#include "system/console.h"

namespace {

int textLength(KrString* s) { return static_cast<int>(std::strlen(krText(s))); }

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

}

KR_COMMAND(Runtime, "Write$text", Write);
KR_COMMAND(Runtime, "Print$text", Print);
