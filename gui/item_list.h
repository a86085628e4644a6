// The item-list gadgets: combo box, list box and tabber. Each owns one
// KrItemArray (made with the gadget, released with it) and offers the same
// six operations, which the item commands call.
//
// The base operations change the array only. A gadget driver's class does the
// native work first, then calls the base operation, then (where the native
// selection may have moved) reads the native selection back into the array.
// The commands check indexes before any operation runs, so a refused index
// never reaches the native control.
#pragma once

#include "gui/gadget.h"
#include "gui/group.h"
#include "gui/item_array.h"

class KrItemList {
public:
    KrItemList() : items_(new KrItemArray) {}
    KrItemList(const KrItemList&) = delete;
    KrItemList& operator=(const KrItemList&) = delete;
    virtual ~KrItemList() { items_->release(); }

    virtual void clearItems() { items_->clear(); }
    // `icon` is an index into the gadget's icon strip, or negative for none.
    virtual void addItem(KrString* text, int icon) { items_->add(text); }
    virtual void insertItem(int index, KrString* text, int icon) { items_->insert(index, text); }
    virtual void modifyItem(int index, KrString* text, int icon) { items_->modify(index, text); }
    virtual void removeItem(int index) { items_->remove(index); }
    virtual void selectItem(int index) { items_->select(index); }

    KrItemArray& items() const { return *items_; }

private:
    KrItemArray* items_;
};

class KrComboBox : public KrGadget, public KrItemList {
public:
    static constexpr const char* kHandleName = "ComboBox Gadget";
    using KrGadget::KrGadget;
};

class KrListBox : public KrGadget, public KrItemList {
public:
    static constexpr const char* kHandleName = "ListBox Gadget";
    using KrGadget::KrGadget;
};

// A tab control: a group whose client area is the page below the tabs.
// Changing the selected tab shows or hides nothing; the program does that.
class KrTabber : public KrGroup, public KrItemList {
public:
    static constexpr const char* kHandleName = "Tabber Gadget";
    using KrGroup::KrGroup;
};

// The item list of a gadget, trying combo box, list box and tabber in that
// order; "Invalid Gadget type" for any other kind.
KrItemList& itemListOf(KrGadget* gadget);
