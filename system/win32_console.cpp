// The Windows side of the program's console. Output goes to the standard
// output handle and input comes from the standard input handle when they are
// valid; a direction without one uses a console of the program's own
// (AllocConsole), titled with the application title and reached through
// "CONOUT$" or "CONIN$".
#include <windows.h>

#include <cstring>

#include "runtime/app_title.h"
#include "system/console.h"

namespace {

HANDLE output = INVALID_HANDLE_VALUE;
HANDLE input = INVALID_HANDLE_VALUE;

bool usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// Makes the program's own console once. If one exists after all (AllocConsole
// fails), the device names below still reach it.
void ensureOwnConsole() {
    static bool made = false;
    if (made) return;
    made = true;
    if (AllocConsole()) SetConsoleTitleA(appTitle());
}

HANDLE openDevice(const char* name) {
    ensureOwnConsole();
    return CreateFileA(name, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, 0, nullptr);
}

HANDLE consoleOutput() {
    if (usable(output)) return output;
    HANDLE standard = GetStdHandle(STD_OUTPUT_HANDLE);
    return output = usable(standard) ? standard : openDevice("CONOUT$");
}

HANDLE consoleInput() {
    if (usable(input)) return input;
    HANDLE standard = GetStdHandle(STD_INPUT_HANDLE);
    return input = usable(standard) ? standard : openDevice("CONIN$");
}

// Bytes read from the input but not yet handed out: a file or pipe delivers
// more than one line per read.
char pending[4096];
int pendingStart = 0;
int pendingEnd = 0;

bool fillPending() {
    HANDLE handle = consoleInput();
    if (!usable(handle)) return false;
    DWORD got = 0;
    if (!ReadFile(handle, pending, sizeof pending, &got, nullptr) || got == 0) return false;
    pendingStart = 0;
    pendingEnd = static_cast<int>(got);
    return true;
}

} // namespace

void console::write(const char* bytes, int length) {
    HANDLE handle = consoleOutput();
    if (!usable(handle)) return;
    while (length > 0) {
        DWORD written = 0;
        if (!WriteFile(handle, bytes, static_cast<DWORD>(length), &written, nullptr) || written == 0) return;
        bytes += written;
        length -= static_cast<int>(written);
    }
}

int console::readLine(char* buffer, int size) {
    int n = 0;
    while (n < size - 1) {
        if (pendingStart == pendingEnd && !fillPending()) break;
        char c = pending[pendingStart++];
        buffer[n++] = c;
        if (c == '\n') break;
    }
    buffer[n] = 0;
    return n;
}
