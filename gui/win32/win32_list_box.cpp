// Win32ListBox: a list box is a "SysListView32" in report view with one
// column, no header and single selection; the column always spans the
// client width. A click (left or right, single or double) on an item posts
// EVENT_GADGET_ACTION with its index; a click that left nothing selected
// selects the stored item again, without an event.
#include <windows.h>

#include <commctrl.h>

#include "gui/item_list.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"
#include "gui/win32/win32_item_list.h"

namespace {

// Report view, single selection, selection always shown, shared image lists
// (the icon strip owns its list), no column header.
constexpr DWORD kListStyle = LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_SHAREIMAGELISTS | LVS_NOCOLUMNHEADER;
static_assert(kListStyle == 0x404D);

class Win32ListBox : public Win32Gadget<KrListBox> {
public:
    Win32ListBox(KrGroup* group, int style) : Win32Gadget<KrListBox>(group, style) {
        HWND hwnd = win32CreateControl(group, WS_EX_CLIENTEDGE, "SysListView32", kListStyle);
        native_.bind(hwnd, this, 0, this);
        LVCOLUMNA column = {};
        column.mask = LVCF_WIDTH;
        SendMessageA(hwnd, LVM_INSERTCOLUMNA, 0, reinterpret_cast<LPARAM>(&column));
    }

    void setIconStrip(KrIconStrip* strip) override {
        SendMessageA(native_.handle(), LVM_SETIMAGELIST, LVSIL_SMALL, reinterpret_cast<LPARAM>(win32ImageList(strip)));
        KrListBox::setIconStrip(strip);
    }

    void clearItems() override {
        SendMessageA(native_.handle(), LVM_DELETEALLITEMS, 0, 0);
        KrItemList::clearItems();
        readSelection();
    }

    void addItem(KrString* text, int icon) override {
        sendItem(LVM_INSERTITEMA, items().count(), text, icon);
        KrItemList::addItem(text, icon);
    }

    void insertItem(int index, KrString* text, int icon) override {
        sendItem(LVM_INSERTITEMA, index, text, icon);
        KrItemList::insertItem(index, text, icon);
        readSelection();
    }

    void modifyItem(int index, KrString* text, int icon) override {
        sendItem(LVM_SETITEMA, index, text, icon);
        KrItemList::modifyItem(index, text, icon);
    }

    void removeItem(int index) override {
        SendMessageA(native_.handle(), LVM_DELETEITEM, static_cast<WPARAM>(index), 0);
        KrItemList::removeItem(index);
        readSelection();
    }

    // Selecting -1 clears the control's selection: the item array holds "no
    // selection", and so does the control.
    void selectItem(int index) override {
        markSelected(index);
        KrItemList::selectItem(index);
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        if (message == WM_SIZE && hwnd == native_.handle()) {
            SendMessageA(hwnd, LVM_SETCOLUMNWIDTH, 0, LOWORD(lParam));
        } else if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == native_.handle()) {
            switch (reinterpret_cast<NMHDR*>(lParam)->code) {
            case NM_CLICK:
            case NM_DBLCLK:
            case NM_RCLICK:
            case NM_RDBLCLK: {
                int index = firstSelected();
                if (index < 0) {
                    markSelected(items().selected());
                    return 0;
                }
                items().storeNativeSelection(index);
                emit(EVENT_GADGET_ACTION, items().selected()); // last: the program may free the list
                return 0;
            }
            }
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

private:
    void sendItem(UINT message, int index, KrString* text, int icon) {
        LVITEMA item = {};
        item.mask = LVIF_TEXT;
        item.iItem = index;
        item.pszText = const_cast<char*>(krText(text));
        if ((icon = win32ItemIcon(*this, icon)) >= 0) {
            item.mask |= LVIF_IMAGE;
            item.iImage = icon;
        }
        SendMessageA(native_.handle(), message, 0, reinterpret_cast<LPARAM>(&item));
    }

    // Selects the item and scrolls it into view; a negative index deselects
    // every item.
    void markSelected(int index) {
        LVITEMA state = {};
        state.stateMask = LVIS_SELECTED;
        state.state = index >= 0 ? LVIS_SELECTED : 0;
        SendMessageA(native_.handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(index < 0 ? -1 : index),
                     reinterpret_cast<LPARAM>(&state));
        if (index >= 0) SendMessageA(native_.handle(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(index), FALSE);
    }

    int firstSelected() const {
        return static_cast<int>(SendMessageA(native_.handle(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }

    void readSelection() { items().storeNativeSelection(firstSelected()); }
};

} // namespace

KrListBox* win32CreateListBox(KrGroup* group, int style) { return new Win32ListBox(group, style); }
