// Combo boxes, list boxes and tabbers under the Windows gadget driver: every
// item command read back from the native control (item counts, texts, icons,
// the native selection), the stored combo box height, the list column that
// spans the client width, the tabber's placeholder tab, page and remove
// rules, and the selection events that the controls' notifications raise
// while the program waits.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "events/event_record.h"
#include "gfx2d/kr_pixmap.h"
#include "gui/gui_commands.h"
#include "gui/gui_driver.h"
#include "gui/icon_strip.h"
#include "gui/user_action.h"
#include "lang/kr_string.h"
#include "support/event_commands.h"
#include "support/program_harness.h"
#include "support/text_arg.h"

extern "C" {
__attribute__((stdcall)) int CreateComboBox(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) int CreateListBox(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) int CreateTabber(int x, int y, int width, int height, int group, int style);
__attribute__((stdcall)) void ClearGadgetItems(int gadget);
__attribute__((stdcall)) void AddGadgetItem(int gadget, KrString* item, int select, int icon);
__attribute__((stdcall)) void InsertGadgetItem(int gadget, int index, KrString* item, int icon);
__attribute__((stdcall)) void ModifyGadgetItem(int gadget, int index, KrString* item, int icon);
__attribute__((stdcall)) void RemoveGadgetItem(int gadget, int index);
__attribute__((stdcall)) void SelectGadgetItem(int gadget, int index);
__attribute__((stdcall)) KrString* GadgetItemText(int gadget, int index);
__attribute__((stdcall)) int CountGadgetItems(int gadget);
__attribute__((stdcall)) int SelectedGadgetItem(int gadget);
__attribute__((stdcall)) void SetGadgetIconStrip(int gadget, int strip);
}

namespace {

HWND controlOf(int gadget) { return reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(gadget)->query(1))); }

int window() { return krCreateWindow(Text("Items"), 0, 0, 400, 300, 0, 1 | 32); }

// The program's view of the items: the stored texts in order.
std::vector<std::string> storedTexts(int gadget) {
    std::vector<std::string> texts;
    for (int i = 0, n = CountGadgetItems(gadget); i < n; ++i) {
        KrString* t = GadgetItemText(gadget, i);
        texts.emplace_back(krText(t));
        release(t);
    }
    return texts;
}

enum Kind { Combo, List, Tabs };

// The texts a control shows, read with its own messages.
std::vector<std::string> nativeTexts(HWND control, Kind kind) {
    static const UINT countMessage[] = {CB_GETCOUNT, LVM_GETITEMCOUNT, TCM_GETITEMCOUNT};
    std::vector<std::string> texts;
    for (int i = 0, n = static_cast<int>(SendMessageA(control, countMessage[kind], 0, 0)); i < n; ++i) {
        char buffer[64] = {};
        if (kind == Combo) {
            COMBOBOXEXITEMA item = {};
            item.mask = CBEIF_TEXT;
            item.iItem = i;
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            SendMessageA(control, CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        } else if (kind == List) {
            LVITEMA item = {};
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            SendMessageA(control, LVM_GETITEMTEXTA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        } else {
            TCITEMA item = {};
            item.mask = TCIF_TEXT;
            item.pszText = buffer;
            item.cchTextMax = sizeof buffer;
            SendMessageA(control, TCM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
        }
        texts.emplace_back(buffer);
    }
    return texts;
}

int listSelection(HWND list) {
    return static_cast<int>(SendMessageA(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
}

using Texts = std::vector<std::string>;

} // namespace

TEST(Win32ItemLists, ComboBoxMirrorsEveryItemCommand) {
    Texts stored, native, afterClear;
    int storedHeight = 0, selectedAfterAdd = -9, nativeAfterAdd = -9;
    int selectedAfterRemove = -9, nativeAfterRemove = -9, selectedAfterInsert = -9, nativeAfterInsert = -9;
    int clearedCount = -1;
    RunRecord run = runAsProgram([&] {
        int w = window();
        int combo = CreateComboBox(10, 10, 150, 30, w, 0);
        HWND box = controlOf(combo);
        // The native height (128, room for the dropped list) cannot be read
        // back: the control's window keeps the height of its closed part.
        storedHeight = GadgetHeight(combo);
        AddGadgetItem(combo, Text("b"), 0, -1);
        AddGadgetItem(combo, Text("d"), 1, -1); // select=1 selects the new last item
        selectedAfterAdd = SelectedGadgetItem(combo);
        nativeAfterAdd = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
        InsertGadgetItem(combo, 0, Text("a"), -1);
        selectedAfterInsert = SelectedGadgetItem(combo);
        nativeAfterInsert = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
        InsertGadgetItem(combo, 3, Text("e"), -1); // at the count: appends
        InsertGadgetItem(combo, 2, Text("c"), -1);
        ModifyGadgetItem(combo, 4, Text("E"), -1);
        RemoveGadgetItem(combo, 3); // the selected "d"
        selectedAfterRemove = SelectedGadgetItem(combo);
        nativeAfterRemove = static_cast<int>(SendMessageA(box, CB_GETCURSEL, 0, 0));
        stored = storedTexts(combo);
        native = nativeTexts(box, Combo);
        ClearGadgetItems(combo);
        clearedCount = static_cast<int>(SendMessageA(box, CB_GETCOUNT, 0, 0));
        afterClear = storedTexts(combo);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(storedHeight, 30);
    EXPECT_EQ(selectedAfterAdd, 1);
    EXPECT_EQ(nativeAfterAdd, 1);
    EXPECT_EQ(selectedAfterInsert, nativeAfterInsert) << "the native selection is read back after an insertion";
    EXPECT_EQ(stored, (Texts{"a", "b", "c", "E"}));
    EXPECT_EQ(native, stored);
    EXPECT_EQ(selectedAfterRemove, nativeAfterRemove) << "the native selection is read back after a removal";
    EXPECT_EQ(clearedCount, 0);
    EXPECT_TRUE(afterClear.empty());
}

TEST(Win32ItemLists, ListBoxMirrorsEveryItemCommandInOneFullWidthColumn) {
    Texts stored, native;
    int selected = -9, nativeSelected = -9, afterRemoveSelected = -9, afterNone = -9, nativeNone = -9;
    int columnWidth = 0, clientWidth = 0, afterClearCount = -1, afterClearSelected = -9;
    LONG style = 0;
    RunRecord run = runAsProgram([&] {
        int w = window();
        int box = CreateListBox(10, 10, 200, 150, w, 0);
        HWND list = controlOf(box);
        style = GetWindowLongA(list, GWL_STYLE);
        for (const char* t : {"one", "three", "four"}) AddGadgetItem(box, Text(t), 0, -1);
        InsertGadgetItem(box, 1, Text("two"), -1);
        ModifyGadgetItem(box, 3, Text("FOUR"), -1);
        SelectGadgetItem(box, 2);
        selected = SelectedGadgetItem(box);
        nativeSelected = listSelection(list);
        RemoveGadgetItem(box, 2); // the selected item: the control has none left
        afterRemoveSelected = SelectedGadgetItem(box);
        SelectGadgetItem(box, 1);
        SelectGadgetItem(box, -5);
        afterNone = SelectedGadgetItem(box);
        nativeNone = listSelection(list);
        stored = storedTexts(box);
        native = nativeTexts(list, List);
        SetGadgetShape(box, 10, 10, 260, 150);
        columnWidth = static_cast<int>(SendMessageA(list, LVM_GETCOLUMNWIDTH, 0, 0));
        RECT client;
        GetClientRect(list, &client);
        clientWidth = client.right;
        SelectGadgetItem(box, 0);
        ClearGadgetItems(box);
        afterClearCount = static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0));
        afterClearSelected = SelectedGadgetItem(box);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(style & 0xFFFF, 0x404D) << "report view, single selection, shared lists, no header";
    EXPECT_EQ(selected, 2);
    EXPECT_EQ(nativeSelected, 2);
    EXPECT_EQ(afterRemoveSelected, -1);
    EXPECT_EQ(afterNone, -1);
    EXPECT_EQ(nativeNone, -1) << "selecting -1 clears the control's selection";
    EXPECT_EQ(stored, (Texts{"one", "two", "FOUR"}));
    EXPECT_EQ(native, stored);
    EXPECT_EQ(columnWidth, clientWidth);
    EXPECT_GT(clientWidth, 200);
    EXPECT_EQ(afterClearCount, 0);
    EXPECT_EQ(afterClearSelected, -1);
}

TEST(Win32ItemLists, TabberKeepsAPlaceholderAndItsSelectionFollowsItsTab) {
    Texts fresh, afterAdds, afterRemoves, afterLast;
    int freshSelected = -9, earlierRemoved = -9, earlierNative = -9, lastRemoved = -9, lastNative = -9;
    int onlyRemoved = -9, onlyNative = -9;
    RunRecord run = runAsProgram([&] {
        int w = window();
        int tabber = CreateTabber(10, 10, 300, 200, w, 0);
        HWND tabs = controlOf(tabber);
        fresh = nativeTexts(tabs, Tabs);
        freshSelected = SelectedGadgetItem(tabber);
        for (const char* t : {"a", "b", "c", "d"}) AddGadgetItem(tabber, Text(t), 0, -1);
        afterAdds = nativeTexts(tabs, Tabs);
        // Removing a tab before the selected one: the selection stays on its tab.
        SelectGadgetItem(tabber, 2);
        RemoveGadgetItem(tabber, 0);
        earlierRemoved = SelectedGadgetItem(tabber);
        earlierNative = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        // Removing the selected last tab selects the tab before it.
        SelectGadgetItem(tabber, 2);
        RemoveGadgetItem(tabber, 2);
        lastRemoved = SelectedGadgetItem(tabber);
        lastNative = static_cast<int>(SendMessageA(tabs, TCM_GETCURSEL, 0, 0));
        afterRemoves = nativeTexts(tabs, Tabs);
        RemoveGadgetItem(tabber, 0);
        RemoveGadgetItem(tabber, 0);
        onlyRemoved = SelectedGadgetItem(tabber);
        onlyNative = CountGadgetItems(tabber);
        afterLast = nativeTexts(tabs, Tabs);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(fresh, (Texts{""})) << "a new tabber shows one empty placeholder tab";
    EXPECT_EQ(freshSelected, -1);
    EXPECT_EQ(afterAdds, (Texts{"a", "b", "c", "d"})) << "the placeholder went with the first tab";
    EXPECT_EQ(earlierRemoved, 1) << "tab c moved from 2 to 1";
    EXPECT_EQ(earlierNative, 1);
    EXPECT_EQ(lastRemoved, 1);
    EXPECT_EQ(lastNative, 1);
    EXPECT_EQ(afterRemoves, (Texts{"b", "c"}));
    EXPECT_EQ(onlyRemoved, -1);
    EXPECT_EQ(onlyNative, 0);
    EXPECT_EQ(afterLast, (Texts{""}));
}

TEST(Win32ItemLists, TabberPageSitsBelowTheTabsAndHoldsItsGadgets) {
    RECT page = {}, tab = {}, client = {}, bigPage = {}, bigTab = {};
    int clientW = 0, clientH = 0, panelParentIsPage = 0, grownW = 0;
    RunRecord run = runAsProgram([&] {
        int w = window();
        int tabber = CreateTabber(10, 10, 300, 200, w, 0);
        AddGadgetItem(tabber, Text("First"), 1, -1);
        HWND tabs = controlOf(tabber);
        HWND pageWindow = reinterpret_cast<HWND>(static_cast<intptr_t>(liveObject(tabber)->query(2)));
        GetWindowRect(pageWindow, &page);
        MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&page), 2);
        SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&tab));
        GetClientRect(tabs, &client);
        clientW = ClientWidth(tabber);
        clientH = ClientHeight(tabber);
        int panel = CreatePanel(0, 0, 50, 50, tabber, 0);
        SetGadgetLayout(panel, 1, 1, 1, 1);
        panelParentIsPage = GetParent(controlOf(panel)) == pageWindow;
        SetGadgetShape(tabber, 10, 10, 400, 200);
        grownW = GadgetWidth(panel);
        // Higher tabs in a bigger font push the page down.
        SetGadgetFont(tabber, LoadFont(Text("Arial"), 40, 0, 0, 0));
        GetWindowRect(pageWindow, &bigPage);
        MapWindowPoints(nullptr, tabs, reinterpret_cast<POINT*>(&bigPage), 2);
        SendMessageA(tabs, TCM_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&bigTab));
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(page.left, 2);
    EXPECT_EQ(page.top, tab.bottom + 2);
    EXPECT_EQ(page.right, client.right - 2);
    EXPECT_EQ(page.bottom, client.bottom - 2);
    EXPECT_EQ(clientW, page.right - page.left);
    EXPECT_EQ(clientH, page.bottom - page.top);
    EXPECT_TRUE(panelParentIsPage);
    EXPECT_EQ(grownW, 150) << "the page grew by 100 and the pinned panel with it";
    EXPECT_GT(bigTab.bottom, tab.bottom);
    EXPECT_EQ(bigPage.top, bigTab.bottom + 2);
}

TEST(Win32ItemLists, ItemsShowIconsOnlyFromAnAttachedStrip) {
    int comboIcon = -9, listIcon = -9, tabIcon = -9, plainTabIcon = -9;
    RunRecord run = runAsProgram([&] {
        KrPixmap* pixmap = KrPixmap::create(48, 16, 4, 4);
        KrIconStrip* strip = guiDriver().loadIconStrip(pixmap);
        pixmap->release();
        int w = window();
        int combo = CreateComboBox(10, 10, 150, 30, w, 0);
        int box = CreateListBox(10, 50, 150, 100, w, 0);
        int tabber = CreateTabber(170, 10, 200, 150, w, 0);
        AddGadgetItem(tabber, Text("plain"), 0, 2); // no strip yet: no icon
        for (int g : {combo, box, tabber}) SetGadgetIconStrip(g, toHandle(strip));
        AddGadgetItem(combo, Text("x"), 0, 2);
        AddGadgetItem(box, Text("x"), 0, 2);
        AddGadgetItem(tabber, Text("x"), 0, 2);
        COMBOBOXEXITEMA c = {};
        c.mask = CBEIF_IMAGE;
        c.iItem = 0;
        SendMessageA(controlOf(combo), CBEM_GETITEMA, 0, reinterpret_cast<LPARAM>(&c));
        comboIcon = c.iImage;
        LVITEMA l = {};
        l.mask = LVIF_IMAGE;
        SendMessageA(controlOf(box), LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&l));
        listIcon = l.iImage;
        TCITEMA t = {};
        t.mask = TCIF_IMAGE;
        SendMessageA(controlOf(tabber), TCM_GETITEMA, 1, reinterpret_cast<LPARAM>(&t));
        tabIcon = t.iImage;
        SendMessageA(controlOf(tabber), TCM_GETITEMA, 0, reinterpret_cast<LPARAM>(&t));
        plainTabIcon = t.iImage;
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(comboIcon, 2);
    EXPECT_EQ(listIcon, 2);
    EXPECT_EQ(tabIcon, 2);
    EXPECT_EQ(plainTabIcon, -1);
}

TEST(Win32ItemLists, UserSelectionsPostTheirIndex) {
    UserEvent combo, tab, list, listNone;
    int comboHandle = 0, tabHandle = 0, listHandle = 0, listAfterNone = -9, listNativeAfterNone = -9;
    int comboStored = -9, tabStored = -9;
    RunRecord run = runAsProgram([&] {
        int w = window();
        comboHandle = CreateComboBox(10, 10, 150, 30, w, 0);
        listHandle = CreateListBox(10, 50, 150, 100, w, 0);
        tabHandle = CreateTabber(170, 10, 200, 150, w, 0);
        for (int g : {comboHandle, listHandle, tabHandle})
            for (const char* t : {"a", "b", "c"}) AddGadgetItem(g, Text(t), 0, -1);
        HWND box = controlOf(comboHandle), lv = controlOf(listHandle), tabs = controlOf(tabHandle);
        HWND parent = GetParent(box);

        // The user picks "c" in the combo box: its parent hears CBN_SELCHANGE.
        combo = byUser(EVENT_GADGET_ACTION, [&] {
            SendMessageA(box, CB_SETCURSEL, 2, 0);
            SendMessageA(parent, WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(box));
        });
        comboStored = SelectedGadgetItem(comboHandle);
        // The user moves the focus from tab 0 to tab 1: the control changes
        // the selection and notifies its parent.
        SendMessageA(tabs, TCM_SETCURFOCUS, 0, 0);
        tab = byUser(EVENT_GADGET_ACTION, [&] { SendMessageA(tabs, TCM_SETCURFOCUS, 1, 0); });
        tabStored = SelectedGadgetItem(tabHandle);
        // A click that selected item 1, then a click that selected nothing.
        auto click = [&] {
            NMHDR hdr = {lv, 0, static_cast<UINT>(NM_CLICK)};
            SendMessageA(GetParent(lv), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&hdr));
        };
        list = byUser(EVENT_GADGET_ACTION, [&] {
            LVITEMA state = {};
            state.stateMask = state.state = LVIS_SELECTED;
            SendMessageA(lv, LVM_SETITEMSTATE, 1, reinterpret_cast<LPARAM>(&state));
            click();
        });
        listNone = byUser(EVENT_GADGET_ACTION, [&] {
            LVITEMA state = {};
            state.stateMask = LVIS_SELECTED;
            SendMessageA(lv, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
            click();
        });
        listAfterNone = SelectedGadgetItem(listHandle);
        listNativeAfterNone = listSelection(lv);
    });
    EXPECT_TRUE(run.finished) << run.error();
    EXPECT_EQ(combo.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(combo.data, 2);
    EXPECT_EQ(combo.source, comboHandle);
    EXPECT_EQ(comboStored, 2);
    EXPECT_EQ(tab.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(tab.data, 1);
    EXPECT_EQ(tab.source, tabHandle);
    EXPECT_EQ(tabStored, 1);
    EXPECT_EQ(list.id, EVENT_GADGET_ACTION);
    EXPECT_EQ(list.data, 1);
    EXPECT_EQ(list.source, listHandle);
    EXPECT_EQ(listNone.id, 0) << "a click that left nothing selected posts no event";
    EXPECT_EQ(listAfterNone, 1);
    EXPECT_EQ(listNativeAfterNone, 1) << "the stored item is selected again";
}

TEST(Win32ItemLists, AnIndexPastTheOnlyTabIsRefusedNotTakenForIt) {
    RunRecord run = runAsProgram([&] {
        int tabber = CreateTabber(0, 0, 100, 100, window(), 0);
        AddGadgetItem(tabber, Text("only"), 1, -1);
        RemoveGadgetItem(tabber, 1);
    });
    EXPECT_EQ(run.error(), "Gadget item list index out of range");
}
