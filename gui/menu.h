// KrMenu: one item of a window's menu tree, a plain object.
//
// A window owns its root item (empty text, id -1). CreateMenu appends items
// after the last child of their parent, so menu order is creation order; the
// parent holds the item's one reference. Items change only the tree: the
// native menu bar is rebuilt from it by UpdateWindowMenu.
#pragma once

#include "runtime/object.h"

class KrString;

class KrMenu : public KrObject {
public:
    static constexpr const char* kHandleName = "Menu";

    KrMenu(KrString* text, int id);
    ~KrMenu() override;

    // Refuses (runtime error "Unable to release menu child") while an item
    // below is referenced elsewhere, before anything is released; then
    // releases the children in order and the text.
    void free() override;

    // Appends a new item (one reference, held by this menu) and returns it.
    KrMenu* append(KrString* text, int id);

    void setText(KrString* text);
    KrString* text() const { return text_; }
    int id() const { return id_; }
    bool checked() const { return checked_; }
    bool enabled() const { return enabled_; }
    void setChecked(bool checked) { checked_ = checked; }
    void setEnabled(bool enabled) { enabled_ = enabled; }
    KrMenu* firstChild() const { return firstChild_; }
    KrMenu* nextSibling() const { return nextSibling_; }

    // True when no item below is referenced more than once.
    bool childrenReleasable() const;

private:
    void releaseChildren();

    KrString* text_;
    int id_;
    bool checked_ = false;
    bool enabled_ = true;
    KrMenu* firstChild_ = nullptr;
    KrMenu* nextSibling_ = nullptr;
};
