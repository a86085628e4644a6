// KrResource: an object that can own other resources and be owned.
//
// Ownership forms a graph: each resource has a ring of the resources it owns
// and a ring of its owners, and one link sits in both rings. Owning adds no
// reference: the owner holds the reference the owned resource was made with,
// and releases it when the owner itself is freed.
#pragma once

#include "runtime/object.h"

class KrResource;

struct KrResourceLink {
    KrResource* owned = nullptr;
    KrResourceLink* ownedNext = nullptr; // in the owner's ring of owned resources
    KrResourceLink* ownedPrev = nullptr;
    KrResourceLink* ownerNext = nullptr; // in the owned resource's ring of owners
    KrResourceLink* ownerPrev = nullptr;
};

class KrResource : public KrObject {
public:
    KrResource();
    ~KrResource() override;

    // Releases every owned resource in the order they were added, leaves its
    // owners, then deletes itself.
    void free() override;

    // Adds `resource` at the end of this resource's owned ring.
    void addOwned(KrResource* resource);
    // The first non-zero query(id) among the owned resources, in order; else 0.
    int findOwned(int id) const;

    bool ownsAnything() const { return anchor_.ownedNext != &anchor_; }

    // Leaves every owner: for a program giving up the reference its owners
    // held, while others still hold references of their own.
    void leaveOwners() { unlinkOwners(); }

private:
    void unlinkOwners();

    // Sentinel of both rings: its owned fields head the owned ring, its owner
    // fields head the owner ring.
    KrResourceLink anchor_;
};
