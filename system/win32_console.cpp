// The Windows side of the program's console: the standard output handle when
// the process has a valid one, otherwise a console of its own (AllocConsole)
// titled with the application title and written through "CONOUT$".
#include <windows.h>

#include "runtime/app_title.h"
#include "system/console.h"

namespace {

HANDLE output = INVALID_HANDLE_VALUE;

bool usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

HANDLE consoleOutput() {
    if (usable(output)) return output;
    HANDLE standard = GetStdHandle(STD_OUTPUT_HANDLE);
    if (usable(standard)) return output = standard;
    // Neither a console nor redirected handles: make a console for the
    // program. If one exists after all (AllocConsole fails), use it.
    if (AllocConsole()) SetConsoleTitleA(appTitle());
    output = CreateFileA("CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, 0, nullptr);
    return output;
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
