// Win32ComboBox: a combo box is a "ComboBoxEx32" drop-down list. Its native
// height is always 128, room for the list that drops down; the gadget keeps
// the height the program gave. Choosing an item posts EVENT_GADGET_ACTION
// with the new index.
#include <windows.h>

#include <commctrl.h>

#include "gui/item_list.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"
#include "gui/win32/win32_item_list.h"

namespace {

constexpr int kNativeHeight = 128;

class Win32ComboBox : public Win32Gadget<KrComboBox> {
public:
    Win32ComboBox(KrGroup* group, int style) : Win32Gadget<KrComboBox>(group, style) {
        native_.bind(win32CreateControl(group, 0, "ComboBoxEx32", CBS_DROPDOWNLIST), this, 0, this);
    }

    void setShape(int x, int y, int width, int height) override {
        MoveWindow(native_.handle(), x, y, width, kNativeHeight, TRUE);
        storeShape(x, y, width, height);
    }

    void setIconStrip(KrIconStrip* strip) override {
        SendMessageA(native_.handle(), CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(win32ImageList(strip)));
        KrComboBox::setIconStrip(strip);
    }

    void clearItems() override {
        SendMessageA(native_.handle(), CB_RESETCONTENT, 0, 0);
        KrItemList::clearItems();
    }

    void addItem(KrString* text, int icon) override {
        sendItem(CBEM_INSERTITEMA, -1, text, icon);
        KrItemList::addItem(text, icon);
    }

    void insertItem(int index, KrString* text, int icon) override {
        sendItem(CBEM_INSERTITEMA, index, text, icon);
        KrItemList::insertItem(index, text, icon);
        readSelection();
    }

    void modifyItem(int index, KrString* text, int icon) override {
        sendItem(CBEM_SETITEMA, index, text, icon);
        KrItemList::modifyItem(index, text, icon);
    }

    void removeItem(int index) override {
        SendMessageA(native_.handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
        KrItemList::removeItem(index);
        readSelection();
    }

    void selectItem(int index) override {
        SendMessageA(native_.handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
        KrItemList::selectItem(index);
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        // Notifications come to the parent window, naming this control.
        if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == native_.handle()) {
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                int index = readSelection();
                emit(EVENT_GADGET_ACTION, index); // last: the program may free the box
            }
            return 0;
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

private:
    // An extended combo item with the text and, where it can show one, the icon.
    void sendItem(UINT message, int index, KrString* text, int icon) {
        COMBOBOXEXITEMA item = {};
        item.mask = CBEIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>(krText(text));
        if ((icon = win32ItemIcon(*this, icon)) >= 0) {
            item.mask |= CBEIF_IMAGE | CBEIF_SELECTEDIMAGE;
            item.iImage = item.iSelectedImage = icon;
        }
        SendMessageA(native_.handle(), message, 0, reinterpret_cast<LPARAM>(&item));
    }

    // The native selection (CB_ERR, -1, for none) into the item array.
    int readSelection() {
        int index = static_cast<int>(SendMessageA(native_.handle(), CB_GETCURSEL, 0, 0));
        items().storeNativeSelection(index);
        return items().selected();
    }
};

} // namespace

KrComboBox* win32CreateComboBox(KrGroup* group, int style) { return new Win32ComboBox(group, style); }
