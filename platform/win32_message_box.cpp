#include <windows.h>

#include <string>

#include "platform/message_box.h"

namespace platform {

void showMessage(const char* text, const char* caption, bool ownedByActiveWindow) {
    if (ownedByActiveWindow)
        MessageBoxA(GetActiveWindow(), text, caption, MB_OK | MB_TOPMOST | MB_SETFOREGROUND);
    else
        MessageBoxA(nullptr, text, caption, MB_OK);
}

void exitProcess(int code) { ExitProcess(static_cast<UINT>(code)); }

const char* executableTitle() {
    static std::string title;
    if (title.empty()) {
        char path[MAX_PATH];
        DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
        std::string name(path, n < MAX_PATH ? n : 0);
        size_t slash = name.find_last_of("\\/");
        if (slash != std::string::npos) name.erase(0, slash + 1);
        size_t dot = name.find_last_of('.');
        if (dot != std::string::npos) name.erase(dot);
        title = name;
    }
    return title.c_str();
}

} // namespace platform
