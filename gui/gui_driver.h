// KrGuiDriver: what a gadget driver provides, in the order of its operation
// table after the module's start and stop. The platform-free gadget code
// reaches the driver only through these operations.
//
// The creation operations build the native side of a gadget of the kind with
// (group, style) and give it the driver's default font; the gadget comes back
// with one reference. The operations for the other gadget kinds and the
// requesters take their places in this table as those kinds are built.
#pragma once

#include "runtime/module.h"

class KrButton;
class KrGroup;
class KrHtmlView;
class KrIconStrip;
class KrLabel;
class KrPanel;
class KrProgBar;
class KrSlider;
class KrTextField;
class KrToolBar;
class KrWindow;
class KrDesktop;
class KrComboBox;
class KrListBox;
class KrTabber;
class KrTreeView;
class KrPixmap;
class KrTextArea;
class KrFont;
class KrString;

class KrGuiDriver : public KrModule {
public:
    virtual KrLabel* createLabel(KrGroup* group, int style) = 0;
    virtual KrButton* createButton(KrGroup* group, int style) = 0;
    virtual KrTextField* createTextField(KrGroup* group, int style) = 0;
    virtual KrSlider* createSlider(KrGroup* group, int style) = 0;
    virtual KrProgBar* createProgBar(KrGroup* group, int style) = 0;
    virtual KrToolBar* createToolBar(KrGroup* group, int style) = 0;
    virtual KrHtmlView* createHtmlView(KrGroup* group, int style) = 0;
    // group may be null: a top-level window.
    virtual KrWindow* createWindow(KrGroup* group, int style) = 0;
    virtual KrPanel* createPanel(KrGroup* group, int style) = 0;
    // The item-list kinds and the tree view.
    virtual KrComboBox* createComboBox(KrGroup* group, int style) = 0;
    virtual KrListBox* createListBox(KrGroup* group, int style) = 0;
    virtual KrTabber* createTabber(KrGroup* group, int style) = 0;
    virtual KrTreeView* createTreeView(KrGroup* group, int style) = 0;
    virtual KrDesktop* desktop() = 0;
    // An icon strip of the pixmap's square icons (one reference; the driver
    // releases it when it stops if the program has not).
    virtual KrIconStrip* loadIconStrip(KrPixmap* pixmap) = 0;

    virtual KrTextArea* createTextArea(KrGroup* group, int style) = 0;

    // The requesters: modal platform dialogs owned by the active window; the
    // window that had the keyboard focus has it again afterwards.
    virtual void notify(KrString* text, bool serious) = 0;
    virtual bool confirm(KrString* text, bool serious) = 0;
    // 1 yes, 0 no, -1 cancel.
    virtual int proceed(KrString* text, bool serious) = 0;
    // A font of the driver (registered with it, one reference), or null.
    virtual KrFont* requestFont() = 0;
    // `rgb` (0xRRGGBB) is the colour the dialog starts with and, when one is
    // chosen (true), the colour chosen.
    virtual bool requestColor(int& rgb) = 0;
    // A new string, or null when cancelled.
    virtual KrString* requestDir(KrString* prompt) = 0;
    virtual KrString* requestFile(KrString* prompt, KrString* extensions, bool save) = 0;
};

// The running gadget driver (always one while a program runs).
KrGuiDriver& guiDriver();
void setCurrentGuiDriver(KrGuiDriver* driver);
KrGuiDriver* currentGuiDriver();
