// msgbox_probe CAPTION [TIMEOUT_MS]: waits for a top-level window with that
// caption (a message box), prints the text of its message, then presses its
// OK button. Exit code 1 when no such window appears in time.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct Search {
    char text[4096] = "";
};

BOOL CALLBACK collectStatic(HWND child, LPARAM param) {
    auto* search = reinterpret_cast<Search*>(param);
    char cls[64];
    GetClassNameA(child, cls, sizeof cls);
    // The message is the static control with text; the icon is a static without.
    if (_stricmp(cls, "Static") == 0 && search->text[0] == 0) {
        char text[4096];
        if (GetWindowTextA(child, text, sizeof text) > 0) std::strcpy(search->text, text);
    }
    return TRUE;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    int timeout = argc > 2 ? std::atoi(argv[2]) : 10000;
    HWND box = nullptr;
    for (int waited = 0; !box && waited < timeout; waited += 50) {
        box = FindWindowA(nullptr, argv[1]);
        if (!box) Sleep(50);
    }
    if (!box) {
        std::fprintf(stderr, "no window captioned '%s'\n", argv[1]);
        return 1;
    }
    Sleep(200);
    Search search;
    EnumChildWindows(box, collectStatic, reinterpret_cast<LPARAM>(&search));
    std::printf("%s\n", search.text);
    std::fflush(stdout);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    return 0;
}
