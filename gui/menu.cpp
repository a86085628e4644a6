#include "gui/menu.h"

#include "lang/kr_string.h"

KrMenu::KrMenu(KrString* text, int id) : text_(krRetainOrEmpty(text)), id_(id) {}

KrMenu::~KrMenu() {
    releaseChildren();
    ::release(text_);
}

bool KrMenu::childrenReleasable() const {
    for (KrMenu* child = firstChild_; child; child = child->nextSibling_)
        if (child->refs() > 1 || !child->childrenReleasable()) return false;
    return true;
}

void KrMenu::free() {
    if (!childrenReleasable()) {
        retain();
        runtimeError("Unable to release menu child");
    }
    KrObject::free();
}

void KrMenu::releaseChildren() {
    while (KrMenu* child = firstChild_) {
        if (child->refs() > 1) runtimeError("Unable to release menu child");
        firstChild_ = child->nextSibling_;
        child->nextSibling_ = nullptr;
        child->release();
    }
}

KrMenu* KrMenu::append(KrString* text, int id) {
    auto* item = new KrMenu(text, id);
    KrMenu** slot = &firstChild_;
    while (*slot) slot = &(*slot)->nextSibling_;
    *slot = item;
    return item;
}

void KrMenu::setText(KrString* text) {
    KrString* fresh = krRetainOrEmpty(text);
    ::release(text_);
    text_ = fresh;
}
