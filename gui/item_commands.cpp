// The item-list gadgets' creation commands and the nine item commands, which
// work on combo boxes, list boxes and tabbers alike.
#include "gui/gadget_creation.h"
#include "gui/gui_driver.h"
#include "gui/item_list.h"
#include "lang/kr_string.h"
#include "runtime/symbol_registration.h"

KrItemList& itemListOf(KrGadget* gadget) {
    if (auto* combo = dynamic_cast<KrComboBox*>(gadget)) return *combo;
    if (auto* list = dynamic_cast<KrListBox*>(gadget)) return *list;
    if (auto* tabber = dynamic_cast<KrTabber*>(gadget)) return *tabber;
    runtimeError("Invalid Gadget type");
}

namespace {

KrItemList& itemList(int gadget) { return itemListOf(castHandle<KrGadget>(gadget)); }

} // namespace

extern "C" {

__attribute__((stdcall)) int CreateComboBox(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createComboBox(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) int CreateListBox(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createListBox(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) int CreateTabber(int x, int y, int width, int height, int group, int style) {
    KrGroup* parent = creationGroup(group, false);
    return finishGadget(guiDriver().createTabber(parent, style), x, y, width, height, nullptr);
}

__attribute__((stdcall)) void ClearGadgetItems(int gadget) { itemList(gadget).clearItems(); }

__attribute__((stdcall)) void AddGadgetItem(int gadget, KrString* item, int select, int icon) {
    KrItemList& list = itemList(gadget);
    list.addItem(item, icon);
    if (select != 0) list.selectItem(list.items().count() - 1);
}

__attribute__((stdcall)) void InsertGadgetItem(int gadget, int index, KrString* item, int icon) {
    KrItemList& list = itemList(gadget);
    list.items().checkIndex(index, 1);
    list.insertItem(index, item, icon);
}

__attribute__((stdcall)) void ModifyGadgetItem(int gadget, int index, KrString* item, int icon) {
    KrItemList& list = itemList(gadget);
    list.items().checkIndex(index);
    list.modifyItem(index, item, icon);
}

__attribute__((stdcall)) void RemoveGadgetItem(int gadget, int index) {
    KrItemList& list = itemList(gadget);
    list.items().checkIndex(index);
    list.removeItem(index);
}

__attribute__((stdcall)) void SelectGadgetItem(int gadget, int index) {
    KrItemList& list = itemList(gadget);
    if (index >= 0) list.items().checkIndex(index);
    list.selectItem(index);
}

__attribute__((stdcall)) KrString* GadgetItemText(int gadget, int index) { return itemList(gadget).items().itemText(index); }
__attribute__((stdcall)) int CountGadgetItems(int gadget) { return itemList(gadget).items().count(); }
__attribute__((stdcall)) int SelectedGadgetItem(int gadget) { return itemList(gadget).items().selected(); }
}

KR_COMMAND(Gadget, "%CreateComboBox%x%y%width%height%group%style=0", CreateComboBox);
KR_COMMAND(Gadget, "%CreateListBox%x%y%width%height%group%style=0", CreateListBox);
KR_COMMAND(Gadget, "%CreateTabber%x%y%width%height%group%style=0", CreateTabber);
KR_COMMAND(Gadget, "ClearGadgetItems%gadget", ClearGadgetItems);
KR_COMMAND(Gadget, "AddGadgetItem%gadget$item%select=0%icon=-1", AddGadgetItem);
KR_COMMAND(Gadget, "InsertGadgetItem%gadget%index$item%icon=-1", InsertGadgetItem);
KR_COMMAND(Gadget, "ModifyGadgetItem%gadget%index$item%icon=-1", ModifyGadgetItem);
KR_COMMAND(Gadget, "RemoveGadgetItem%gadget%index", RemoveGadgetItem);
KR_COMMAND(Gadget, "SelectGadgetItem%gadget%index", SelectGadgetItem);
KR_COMMAND(Gadget, "$GadgetItemText%gadget%index", GadgetItemText);
KR_COMMAND(Gadget, "%CountGadgetItems%gadget", CountGadgetItems);
KR_COMMAND(Gadget, "%SelectedGadgetItem%gadget", SelectedGadgetItem);
