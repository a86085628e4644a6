// KrItemArray: the item texts and the selected index of a combo box, list box
// or tabber, kept in the runtime so that reading them never asks the native
// control.
//
// Each item is a counted reference to its text. The selection is an index or
// -1 for none; removing an item does not move it (the gadget reads the native
// selection back instead). Every operation first checks that the array is a
// live object, then its index: a bad index is the runtime error "Gadget item
// list index out of range".
#pragma once

#include <vector>

#include "runtime/object.h"

class KrString;

class KrItemArray : public KrObject {
public:
    static constexpr const char* kHandleName = "Gadget Item List";

    ~KrItemArray() override;

    // Releases every text; selected becomes -1.
    void clear();
    // Appends the text (null reads as "").
    void add(KrString* text);
    // Inserts before index, 0 <= index <= count.
    void insert(int index, KrString* text);
    // Replaces the text at 0 <= index < count.
    void modify(int index, KrString* text);
    // Removes the item at 0 <= index < count; the selection stays as it was.
    void remove(int index);
    // A negative index stores -1; otherwise 0 <= index < count is stored.
    void select(int index);

    int count() const;
    int selected() const;
    // The text at 0 <= index < count, with a new reference for the caller.
    KrString* itemText(int index) const;

    // Raises the index error unless 0 <= index < count + extra: extra 0 for an
    // existing item, 1 for an insertion place.
    void checkIndex(int index, int extra = 0) const;
    // Stores a selection read back from a native control: out of range (the
    // control's "none" included) stores -1, never an error.
    void storeNativeSelection(int index);

    // The selection after removing item `removed` of the count before the
    // removal, when the selection was `selected`: it follows its item (one
    // place down when an earlier item goes); a removed selected item hands
    // the selection to the item now in its place, or to the new last item.
    static int selectionAfterRemove(int selected, int removed, int countBefore);

private:
    // The handle check of every operation: the array must still be live.
    const KrItemArray& live() const;

    int selected_ = -1;
    std::vector<KrString*> items_;
};
