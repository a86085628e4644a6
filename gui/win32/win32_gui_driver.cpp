#include "gui/win32/win32_gui_driver.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "gfx2d/win32/win32_font.h"
#include "gfx2d/kr_screen.h"
#include "gui/button.h"
#include "gui/desktop.h"
#include "gui/html_view.h"
#include "gui/item_list.h"
#include "gui/label.h"
#include "gui/panel.h"
#include "gui/prog_bar.h"
#include "gui/slider.h"
#include "gui/text_field.h"
#include "gui/tool_bar.h"
#include "gui/tree_view.h"
#include "gui/win32/win32_item_list.h"
#include "gui/win32/win32_window.h"

namespace {

Win32GuiDriver theDriver;

// Every gadget starts with the driver's default font.
template <typename Gadget>
Gadget* withFont(Gadget* gadget, KrFont* font) {
    gadget->setFont(font);
    return gadget;
}

} // namespace

// Fonts of the Windows font driver answer query code 3 with their GDI font;
// other font objects answer 0 and are only stored.
HFONT win32NativeFont(KrFont* font) {
    return font ? reinterpret_cast<HFONT>(static_cast<intptr_t>(font->query(3))) : nullptr;
}

Win32GuiDriver::Win32GuiDriver() { setup("Win32GuiDriver", "Gui", "Native"); }

bool Win32GuiDriver::startup() {
    requireSubsystem("Screen");
    std::fill(std::begin(customColours_), std::end(customColours_), 0);
    INITCOMMONCONTROLSEX init = {8, 0x2FF};
    InitCommonControlsEx(&init);
    // The "RichEdit" class of text areas.
    LoadLibraryA("riched32.dll");
    win32WindowClass();
    // The stock GUI font as every gadget's first font, measured through a
    // context of the driver's own.
    measuringDc_ = CreateCompatibleDC(nullptr);
    defaultFont_ = new Win32Font(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)), measuringDc_);
    addResource(defaultFont_);
    desktop_ = win32CreateDesktop();
    addResource(desktop_);
    setCurrentGuiDriver(this);
    return true;
}

// The module's resources (desktop, font, windows without a group) are
// released before this runs.
void Win32GuiDriver::shutdown() {
    if (currentGuiDriver() == this) setCurrentGuiDriver(nullptr);
    desktop_ = nullptr;
    defaultFont_ = nullptr;
    if (measuringDc_) DeleteDC(measuringDc_);
    measuringDc_ = nullptr;
    if (oleStarted_) OleUninitialize();
    oleTried_ = oleStarted_ = false;
}

KrLabel* Win32GuiDriver::createLabel(KrGroup* group, int style) {
    return withFont(win32CreateLabel(group, style), defaultFont_);
}

KrButton* Win32GuiDriver::createButton(KrGroup* group, int style) {
    return withFont(win32CreateButton(group, style), defaultFont_);
}

KrTextField* Win32GuiDriver::createTextField(KrGroup* group, int style) {
    return withFont(win32CreateTextField(group, style), defaultFont_);
}

KrSlider* Win32GuiDriver::createSlider(KrGroup* group, int style) {
    return withFont(win32CreateSlider(group, style), defaultFont_);
}

KrProgBar* Win32GuiDriver::createProgBar(KrGroup* group, int style) {
    return withFont(win32CreateProgBar(group, style), defaultFont_);
}

KrToolBar* Win32GuiDriver::createToolBar(KrGroup* group, int style) {
    return withFont(win32CreateToolBar(group, style), defaultFont_);
}

KrHtmlView* Win32GuiDriver::createHtmlView(KrGroup* group, int style) {
    if (!oleTried_) {
        oleTried_ = true;
        // S_FALSE: already started on this thread; it still needs its own stop.
        oleStarted_ = SUCCEEDED(OleInitialize(nullptr));
    }
    return withFont(win32CreateHtmlView(group, style, oleStarted_), defaultFont_);
}

KrWindow* Win32GuiDriver::createWindow(KrGroup* group, int style) {
    HWND owner = nullptr;
    KrScreen* screen = nullptr;
    if (group) {
        owner = reinterpret_cast<HWND>(static_cast<intptr_t>(group->query(2)));
    } else if ((screen = activeScreen())) {
        // A screen's window is the one bound with the screen as its source;
        // the desktop screen has none.
        owner = Win32Hwnd::findBySource(screen);
    }
    auto* window = new Win32Window(group, style, owner);
    if (!group) {
        // Released with its screen or when this module stops, whichever
        // comes first; both share the one reference the window was made with.
        if (owner) screen->addOwned(window);
        addResource(window);
    }
    window->setFont(defaultFont_);
    return window;
}

KrPanel* Win32GuiDriver::createPanel(KrGroup* group, int style) {
    return withFont(win32CreatePanel(group, style), defaultFont_);
}

KrComboBox* Win32GuiDriver::createComboBox(KrGroup* group, int style) {
    KrComboBox* box = win32CreateComboBox(group, style);
    if (!box->query(1)) {
        box->release();
        runtimeError("Unable to create combobox");
    }
    return withDefaultFont(box);
}

KrListBox* Win32GuiDriver::createListBox(KrGroup* group, int style) {
    return withDefaultFont(win32CreateListBox(group, style));
}

KrTabber* Win32GuiDriver::createTabber(KrGroup* group, int style) {
    return withDefaultFont(win32CreateTabber(group, style));
}

KrTreeView* Win32GuiDriver::createTreeView(KrGroup* group, int style) {
    return withDefaultFont(win32CreateTreeView(group, style));
}
