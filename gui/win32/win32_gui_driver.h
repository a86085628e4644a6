// Win32GuiDriver: the gadget driver of the "Gui" subsystem under the "Native"
// configuration. It starts the common controls and the rich edit library,
// wraps the stock GUI font as the default font of every gadget, makes the
// desktop group and builds each gadget kind's native windows.
#pragma once

#include "gui/gui_driver.h"
#include "gui/win32/win32_hwnd.h"

#include <commctrl.h>

class KrFont;
class KrPanel;
class KrPixmap;

class Win32GuiDriver : public KrGuiDriver {
public:
    Win32GuiDriver();

    bool startup() override;
    void shutdown() override;

    KrLabel* createLabel(KrGroup* group, int style) override;
    KrButton* createButton(KrGroup* group, int style) override;
    KrTextField* createTextField(KrGroup* group, int style) override;
    KrSlider* createSlider(KrGroup* group, int style) override;
    KrProgBar* createProgBar(KrGroup* group, int style) override;
    KrToolBar* createToolBar(KrGroup* group, int style) override;
    KrHtmlView* createHtmlView(KrGroup* group, int style) override;
    KrWindow* createWindow(KrGroup* group, int style) override;
    KrPanel* createPanel(KrGroup* group, int style) override;
    KrComboBox* createComboBox(KrGroup* group, int style) override;
    KrListBox* createListBox(KrGroup* group, int style) override;
    KrTabber* createTabber(KrGroup* group, int style) override;
    KrTreeView* createTreeView(KrGroup* group, int style) override;
    KrDesktop* desktop() override { return desktop_; }
    KrIconStrip* loadIconStrip(KrPixmap* pixmap) override;

    KrTextArea* createTextArea(KrGroup* group, int style) override;

    void notify(KrString* text, bool serious) override;
    bool confirm(KrString* text, bool serious) override;
    int proceed(KrString* text, bool serious) override;
    KrFont* requestFont() override;
    bool requestColor(int& rgb) override;
    KrString* requestDir(KrString* prompt) override;
    KrString* requestFile(KrString* prompt, KrString* extensions, bool save) override;

    KrFont* defaultFont() const { return defaultFont_; }

private:
    // Every new gadget starts with the default font.
    template <typename Gadget>
    Gadget* withDefaultFont(Gadget* gadget) {
        gadget->setFont(defaultFont_);
        return gadget;
    }

    KrDesktop* desktop_ = nullptr;
    KrFont* defaultFont_ = nullptr;
    HDC measuringDc_ = nullptr;
    // The colour requester's custom colours, kept for the run; the directory
    // requester's path.
    COLORREF customColours_[16] = {};
    char directory_[MAX_PATH] = {};
    // OLE, started for the first html view and stopped with the module.
    bool oleTried_ = false;
    bool oleStarted_ = false;
};

// The kinds' constructors, one file each.
KrLabel* win32CreateLabel(KrGroup* group, int style);
KrButton* win32CreateButton(KrGroup* group, int style);
KrTextField* win32CreateTextField(KrGroup* group, int style);
KrSlider* win32CreateSlider(KrGroup* group, int style);
KrProgBar* win32CreateProgBar(KrGroup* group, int style);
KrToolBar* win32CreateToolBar(KrGroup* group, int style);
// Without OLE the html view stays an empty host window.
KrHtmlView* win32CreateHtmlView(KrGroup* group, int style, bool oleReady);
KrPanel* win32CreatePanel(KrGroup* group, int style);
KrDesktop* win32CreateDesktop();

// A bitmap compatible with the screen holding the pixmap's pixels (runtime
// errors "CreateCompatibleBitmap failed", "SetDIBits failed"); the caller
// deletes it.
HBITMAP win32PixmapBitmap(KrPixmap* pixmap);
// The image list of an icon strip made by this driver, or null.
HIMAGELIST win32ImageList(KrIconStrip* strip);
