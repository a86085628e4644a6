#include "runtime/resource.h"

namespace {

void unlinkFromBoth(KrResourceLink* link) {
    link->ownedPrev->ownedNext = link->ownedNext;
    link->ownedNext->ownedPrev = link->ownedPrev;
    link->ownerPrev->ownerNext = link->ownerNext;
    link->ownerNext->ownerPrev = link->ownerPrev;
}

} // namespace

KrResource::KrResource() {
    anchor_.ownedNext = anchor_.ownedPrev = &anchor_;
    anchor_.ownerNext = anchor_.ownerPrev = &anchor_;
}

KrResource::~KrResource() {
    // Destroyed directly by an owner: leave every ring this resource sits in.
    while (anchor_.ownedNext != &anchor_) {
        KrResourceLink* link = anchor_.ownedNext;
        unlinkFromBoth(link);
        delete link;
    }
    unlinkOwners();
}

void KrResource::unlinkOwners() {
    while (anchor_.ownerNext != &anchor_) {
        KrResourceLink* link = anchor_.ownerNext;
        unlinkFromBoth(link);
        delete link;
    }
}

void KrResource::free() {
    while (anchor_.ownedNext != &anchor_) {
        KrResourceLink* link = anchor_.ownedNext;
        KrResource* owned = link->owned;
        unlinkFromBoth(link);
        delete link;
        owned->release();
    }
    unlinkOwners();
    delete this;
}

void KrResource::addOwned(KrResource* resource) {
    auto* link = new KrResourceLink;
    link->owned = resource;
    link->ownedPrev = anchor_.ownedPrev;
    link->ownedNext = &anchor_;
    anchor_.ownedPrev->ownedNext = link;
    anchor_.ownedPrev = link;
    KrResourceLink& ownerRing = resource->anchor_;
    link->ownerPrev = ownerRing.ownerPrev;
    link->ownerNext = &ownerRing;
    ownerRing.ownerPrev->ownerNext = link;
    ownerRing.ownerPrev = link;
}

int KrResource::findOwned(int id) const {
    for (const KrResourceLink* link = anchor_.ownedNext; link != &anchor_; link = link->ownedNext)
        if (int value = link->owned->query(id)) return value;
    return 0;
}
