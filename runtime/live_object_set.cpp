#include "runtime/live_object_set.h"

LiveObjectSet::LiveObjectSet() : slots_(1024, kEmpty), mask_(1023) {}

size_t LiveObjectSet::home(uintptr_t key) const {
    // Objects are at least 8-byte aligned; mix the bits so that neighbours
    // spread over the table.
    uint32_t h = static_cast<uint32_t>(key >> 3) * 2654435761u;
    return (h ^ (h >> 15)) & mask_;
}

void LiveObjectSet::insert(const void* object) {
    if ((count_ + 1) * 2 > slots_.size()) grow();
    uintptr_t key = reinterpret_cast<uintptr_t>(object);
    size_t i = home(key);
    while (slots_[i] != kEmpty) {
        if (slots_[i] == key) return;
        i = (i + 1) & mask_;
    }
    slots_[i] = key;
    ++count_;
}

bool LiveObjectSet::contains(const void* object) const {
    uintptr_t key = reinterpret_cast<uintptr_t>(object);
    if (key == kEmpty) return false;
    for (size_t i = home(key); slots_[i] != kEmpty; i = (i + 1) & mask_)
        if (slots_[i] == key) return true;
    return false;
}

bool LiveObjectSet::erase(const void* object) {
    uintptr_t key = reinterpret_cast<uintptr_t>(object);
    size_t i = home(key);
    while (slots_[i] != key) {
        if (slots_[i] == kEmpty) return false;
        i = (i + 1) & mask_;
    }
    // Backward-shift deletion keeps every probe chain unbroken without tombstones.
    size_t hole = i;
    for (size_t j = (hole + 1) & mask_; slots_[j] != kEmpty; j = (j + 1) & mask_) {
        size_t want = home(slots_[j]);
        if (((j - want) & mask_) >= ((j - hole) & mask_)) {
            slots_[hole] = slots_[j];
            hole = j;
        }
    }
    slots_[hole] = kEmpty;
    --count_;
    return true;
}

void LiveObjectSet::grow() {
    std::vector<uintptr_t> old;
    old.swap(slots_);
    slots_.assign(old.size() * 2, kEmpty);
    mask_ = slots_.size() - 1;
    count_ = 0;
    for (uintptr_t key : old)
        if (key != kEmpty) insert(reinterpret_cast<const void*>(key));
}
