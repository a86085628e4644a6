// The requesters of the Windows gadget driver: message boxes and the common
// dialogs for a file, a directory, a colour and a font.
//
// Each dialog is owned by the active window; the window that had the keyboard
// focus before it gets it back afterwards.
#include <windows.h>
#include <commdlg.h>
#include <shlobj.h>

#include "gfx2d/win32/win32_font.h"
#include "gui/colour_word.h"
#include "gui/file_filter.h"
#include "gui/win32/win32_gui_driver.h"
#include "lang/kr_string.h"
#include "runtime/app_title.h"

namespace {

// The structure sizes the dialogs are called with: the oldest layouts, which
// every version of the dialogs takes.
constexpr DWORD kOpenFileNameSize = 76;
constexpr DWORD kChooseColorSize = 36;
constexpr DWORD kChooseFontSize = 60;

// Gives the keyboard focus back to its window when the dialog is over.
class FocusKeeper {
public:
    FocusKeeper() : focus_(GetFocus()) {}
    ~FocusKeeper() {
        if (focus_ && IsWindow(focus_)) SetFocus(focus_);
    }
    FocusKeeper(const FocusKeeper&) = delete;
    FocusKeeper& operator=(const FocusKeeper&) = delete;

private:
    HWND focus_;
};

int messageBox(KrString* text, bool serious, UINT buttons) {
    FocusKeeper focus;
    UINT flags = MB_TOPMOST | (serious ? MB_ICONWARNING : MB_ICONINFORMATION) | buttons;
    return MessageBoxA(GetActiveWindow(), krText(text), appTitle(), flags);
}

} // namespace

void Win32GuiDriver::notify(KrString* text, bool serious) { messageBox(text, serious, MB_OK); }

bool Win32GuiDriver::confirm(KrString* text, bool serious) { return messageBox(text, serious, MB_OKCANCEL) == IDOK; }

int Win32GuiDriver::proceed(KrString* text, bool serious) {
    switch (messageBox(text, serious, MB_YESNOCANCEL)) {
    case IDYES: return 1;
    case IDNO: return 0;
    default: return -1;
    }
}

KrString* Win32GuiDriver::requestFile(KrString* prompt, KrString* extensions, bool save) {
    FileFilter filter = buildFileFilter(krText(extensions));
    char name[kFileNameSize] = {};
    filter.initialName.copy(name, kFileNameSize - 1);
    OPENFILENAMEA request = {};
    request.lStructSize = kOpenFileNameSize;
    request.hwndOwner = GetActiveWindow();
    request.lpstrFilter = filter.text;
    request.lpstrFile = name;
    request.nMaxFile = kFileNameSize;
    request.lpstrTitle = krText(prompt);
    request.lpstrDefExt = filter.defaultExtension.empty() ? nullptr : filter.defaultExtension.c_str();
    request.Flags = OFN_HIDEREADONLY | OFN_NOCHANGEDIR | (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    FocusKeeper focus;
    BOOL chosen = save ? GetSaveFileNameA(&request) : GetOpenFileNameA(&request);
    return chosen ? krNewString(name) : nullptr;
}

KrString* Win32GuiDriver::requestDir(KrString* prompt) {
    IMalloc* allocator = nullptr;
    if (FAILED(SHGetMalloc(&allocator)) || !allocator) return nullptr;
    // The folder browser needs COM on this thread in apartment mode; a
    // thread already in COM keeps its own set-up.
    bool comStarted = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    char display[MAX_PATH] = {};
    BROWSEINFOA browse = {};
    browse.hwndOwner = GetActiveWindow();
    browse.pszDisplayName = display;
    browse.lpszTitle = krText(prompt);
    browse.ulFlags = BIF_RETURNONLYFSDIRS;
    KrString* path = nullptr;
    {
        FocusKeeper focus;
        if (LPITEMIDLIST item = SHBrowseForFolderA(&browse)) {
            if (SHGetPathFromIDListA(item, directory_)) path = krNewString(directory_);
            allocator->Free(item);
        }
    }
    allocator->Release();
    if (comStarted) CoUninitialize();
    return path;
}

bool Win32GuiDriver::requestColor(int& rgb) {
    CHOOSECOLORA request = {};
    request.lStructSize = kChooseColorSize;
    request.hwndOwner = GetActiveWindow();
    request.rgbResult = swapRedBlue(static_cast<uint32_t>(rgb) & 0xFFFFFF);
    request.lpCustColors = customColours_;
    request.Flags = CC_RGBINIT | CC_FULLOPEN | CC_ANYCOLOR;
    FocusKeeper focus;
    if (!ChooseColorA(&request)) return false;
    rgb = static_cast<int>(swapRedBlue(request.rgbResult & 0xFFFFFF));
    return true;
}

KrFont* Win32GuiDriver::requestFont() {
    LOGFONTA chosen = {};
    CHOOSEFONTA request = {};
    request.lStructSize = kChooseFontSize;
    request.hwndOwner = GetActiveWindow();
    request.lpLogFont = &chosen;
    request.Flags = CF_SCREENFONTS | CF_PRINTERFONTS;
    {
        FocusKeeper focus;
        if (!ChooseFontA(&request)) return nullptr;
    }
    HFONT native = CreateFontIndirectA(&chosen);
    if (!native) return nullptr;
    // Released with the module when the program has not freed it.
    auto* font = new Win32Font(native, measuringDc_);
    addResource(font);
    return font;
}
