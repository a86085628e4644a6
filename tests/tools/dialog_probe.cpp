// dialog_probe CAPTION CONTROL_ID [TIMEOUT_MS]: waits for a top-level window
// with that caption (a common dialog of another process), then prints the
// items of its combo box with that control id, one a line. Exit code 1 when
// the window or the control does not appear in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

namespace {

struct Search {
    int id;
    HWND found = nullptr;
};

// The control may sit in a child dialog of the common dialog.
BOOL CALLBACK findControl(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    if (GetDlgCtrlID(child) != search->id) return TRUE;
    char cls[64];
    GetClassNameA(child, cls, sizeof cls);
    if (_stricmp(cls, "ComboBox") != 0) return TRUE;
    search->found = child;
    return FALSE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) return 2;
    int timeout = argc > 3 ? std::atoi(argv[3]) : 10000;
    Search search;
    search.id = static_cast<int>(std::strtol(argv[2], nullptr, 0));
    for (int waited = 0; !search.found && waited < timeout; waited += 50) {
        if (HWND dialog = FindWindowA(nullptr, argv[1])) EnumChildWindows(dialog, findControl, reinterpret_cast<LPARAM>(&search));
        if (!search.found) Sleep(50);
    }
    if (!search.found) {
        std::fprintf(stderr, "no combo box %s in a window captioned '%s'\n", argv[2], argv[1]);
        return 1;
    }
    // Wide messages: the dialog belongs to another process and its combo box
    // is a Unicode window, whose ANSI text does not come back whole across
    // processes.
    int count = static_cast<int>(SendMessageW(search.found, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        wchar_t wide[512] = L"";
        char text[1024] = "";
        LRESULT length = SendMessageW(search.found, CB_GETLBTEXTLEN, i, 0);
        if (length >= 0 && length < static_cast<LRESULT>(sizeof wide / sizeof wide[0])) {
            SendMessageW(search.found, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(wide));
            WideCharToMultiByte(CP_ACP, 0, wide, -1, text, sizeof text, nullptr, nullptr);
        }
        std::printf("%s\n", text);
    }
    std::fflush(stdout);
    return 0;
}
