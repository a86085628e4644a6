#include "gui/item_array.h"

#include "lang/kr_string.h"

KrItemArray::~KrItemArray() {
    for (KrString* text : items_) text->release();
}

const KrItemArray& KrItemArray::live() const { return *castHandle<KrItemArray>(toHandle(this)); }

void KrItemArray::checkIndex(int index, int extra) const {
    if (index < 0 || index >= count() + extra) runtimeError("Gadget item list index out of range");
}

void KrItemArray::clear() {
    live();
    // Emptied before the releases, so nothing sees a released text in place.
    std::vector<KrString*> old;
    old.swap(items_);
    for (KrString* text : old) text->release();
    selected_ = -1;
}

void KrItemArray::add(KrString* text) {
    live();
    items_.push_back(krRetainOrEmpty(text));
}

void KrItemArray::insert(int index, KrString* text) {
    live().checkIndex(index, 1);
    items_.insert(items_.begin() + index, krRetainOrEmpty(text));
}

void KrItemArray::modify(int index, KrString* text) {
    live().checkIndex(index);
    KrString* fresh = krRetainOrEmpty(text);
    items_[index]->release();
    items_[index] = fresh;
}

void KrItemArray::remove(int index) {
    live().checkIndex(index);
    KrString* gone = items_[index];
    items_.erase(items_.begin() + index);
    gone->release();
}

void KrItemArray::select(int index) {
    live();
    if (index < 0) {
        selected_ = -1;
        return;
    }
    checkIndex(index);
    selected_ = index;
}

int KrItemArray::count() const { return static_cast<int>(live().items_.size()); }

int KrItemArray::selected() const { return live().selected_; }

KrString* KrItemArray::itemText(int index) const {
    live().checkIndex(index);
    KrString* text = items_[index];
    text->retain();
    return text;
}

void KrItemArray::storeNativeSelection(int index) {
    live();
    selected_ = index >= 0 && index < count() ? index : -1;
}

int KrItemArray::selectionAfterRemove(int selected, int removed, int countBefore) {
    if (selected < 0 || removed > selected) return selected;
    if (removed < selected) return selected - 1;
    // The selected item itself went.
    const int countAfter = countBefore - 1;
    if (countAfter <= 0) return -1;
    return selected < countAfter ? selected : countAfter - 1;
}
