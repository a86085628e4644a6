// Win32Tabber: a tabber is a "SysTabControl32" with a page window inside it.
// The page is the tabber's client area, where its gadgets live: the
// control's client rectangle less 2 pixels on the left, right and bottom,
// from 2 pixels below the first tab down. An empty tabber shows one empty
// placeholder tab, so the page always has a first tab to sit under.
// Choosing a tab posts EVENT_GADGET_ACTION with its index; it shows and
// hides nothing (the program does that).
#include <windows.h>

#include <commctrl.h>

#include "gui/item_list.h"
#include "gui/win32/win32_gadget.h"
#include "gui/win32/win32_gui_driver.h"
#include "gui/win32/win32_item_list.h"

namespace {

class Win32Tabber : public Win32Gadget<KrTabber> {
public:
    Win32Tabber(KrGroup* group, int style) : Win32Gadget<KrTabber>(group, style) {
        HWND tabs = win32CreateControl(group, 0, "SysTabControl32", WS_CLIPCHILDREN | TCS_FOCUSNEVER | TCS_HOTTRACK);
        native_.bind(tabs, this, 0, this);
        HWND page = CreateWindowExA(0, win32WindowClass(), "", WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, tabs,
                                    nullptr, win32Instance(), nullptr);
        page_.bind(page, this, 0, this);
        clearItems();
    }

    ~Win32Tabber() override {
        // The control takes the page with it.
        page_.unbind();
        native_.destroy();
    }

    // 1: the tab control; 2: the page, which new gadgets are made inside.
    int query(int id) override {
        HWND hwnd = id == 1 ? native_.handle() : id == 2 ? page_.handle() : nullptr;
        return static_cast<int>(reinterpret_cast<intptr_t>(hwnd));
    }

    void setShape(int x, int y, int width, int height) override {
        MoveWindow(native_.handle(), x, y, width, height, TRUE);
        RECT page = pageRect();
        MoveWindow(page_.handle(), page.left, page.top, page.right - page.left, page.bottom - page.top, TRUE);
        KrTabber::setShape(x, y, width, height);
    }

    void clientRect(int& x, int& y, int& width, int& height) override {
        RECT page = pageRect();
        x = page.left;
        y = page.top;
        width = page.right - page.left;
        height = page.bottom - page.top;
    }

    // Tabs with icons or in another font may be higher or lower: the page is
    // placed again.
    void setIconStrip(KrIconStrip* strip) override {
        SendMessageA(native_.handle(), TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(win32ImageList(strip)));
        KrTabber::setIconStrip(strip);
        setShape(x(), y(), width(), height());
    }

    void setFont(KrFont* font) override {
        Win32Gadget<KrTabber>::setFont(font);
        setShape(x(), y(), width(), height());
    }

    void clearItems() override {
        SendMessageA(native_.handle(), TCM_DELETEALLITEMS, 0, 0);
        sendItem(TCM_INSERTITEMA, 0, nullptr, -1);
        KrItemList::clearItems();
    }

    void addItem(KrString* text, int icon) override { insertItem(items().count(), text, icon); }

    void insertItem(int index, KrString* text, int icon) override {
        if (items().count() == 0) SendMessageA(native_.handle(), TCM_DELETEALLITEMS, 0, 0); // the placeholder
        sendItem(TCM_INSERTITEMA, index, text, icon);
        KrItemList::insertItem(index, text, icon);
        items().storeNativeSelection(nativeSelection());
    }

    void modifyItem(int index, KrString* text, int icon) override {
        sendItem(TCM_SETITEMA, index, text, icon);
        KrItemList::modifyItem(index, text, icon);
    }

    // The selection follows its tab: removing an earlier tab moves it one
    // place down; removing the selected tab selects the one now in its
    // place, or the new last tab. The last tab leaves the placeholder.
    void removeItem(int index) override {
        const int count = items().count();
        if (count == 1) {
            clearItems();
            return;
        }
        const int next = KrItemArray::selectionAfterRemove(items().selected(), index, count);
        SendMessageA(native_.handle(), TCM_DELETEITEM, static_cast<WPARAM>(index), 0);
        KrItemList::removeItem(index);
        SendMessageA(native_.handle(), TCM_SETCURSEL, static_cast<WPARAM>(next), 0);
        KrItemList::selectItem(next);
    }

    void selectItem(int index) override {
        SendMessageA(native_.handle(), TCM_SETCURSEL, static_cast<WPARAM>(index), 0);
        KrItemList::selectItem(index);
    }

    LRESULT gadgetProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC previous) override {
        if (message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->hwndFrom == native_.handle() &&
            reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(TCN_SELCHANGE)) {
            items().storeNativeSelection(nativeSelection());
            emit(EVENT_GADGET_ACTION, items().selected()); // last: the program may free the tabber
            return 0;
        }
        return CallWindowProcA(previous, hwnd, message, wParam, lParam);
    }

private:
    int nativeSelection() const {
        if (items().count() == 0) return -1;
        return static_cast<int>(SendMessageA(native_.handle(), TCM_GETCURSEL, 0, 0));
    }

    // A tab item with the text and, where it can show one, the icon; a null
    // text is the placeholder's empty one.
    void sendItem(UINT message, int index, KrString* text, int icon) {
        TCITEMA item = {};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<char*>(krText(text));
        if ((icon = win32ItemIcon(*this, icon)) >= 0) {
            item.mask |= TCIF_IMAGE;
            item.iImage = icon;
        }
        SendMessageA(native_.handle(), message, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }

    // The page's place in the control's client coordinates (never of negative size).
    RECT pageRect() const {
        RECT client = {}, tab = {};
        GetClientRect(native_.handle(), &client);
        SendMessageA(native_.handle(), TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
        RECT page = {client.left + 2, tab.bottom + 2, client.right - 2, client.bottom - 2};
        if (page.right < page.left) page.right = page.left;
        if (page.bottom < page.top) page.bottom = page.top;
        return page;
    }

    Win32Hwnd page_;
};

} // namespace

KrTabber* win32CreateTabber(KrGroup* group, int style) { return new Win32Tabber(group, style); }
