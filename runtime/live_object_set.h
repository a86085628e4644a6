// The set of every live runtime object: an open-addressing hash set of
// addresses, so that construction, destruction and handle checks stay O(1) on
// the paths that run for every string a program makes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

class LiveObjectSet {
public:
    LiveObjectSet();
    void insert(const void* object);
    bool erase(const void* object);
    bool contains(const void* object) const;
    size_t size() const { return count_; }

    // Calls fn(address) for every member, in no particular order.
    template <typename Fn>
    void forEach(Fn&& fn) const {
        for (uintptr_t slot : slots_)
            if (slot != kEmpty) fn(reinterpret_cast<const void*>(slot));
    }

private:
    static constexpr uintptr_t kEmpty = 0;
    size_t home(uintptr_t key) const;
    void grow();

    std::vector<uintptr_t> slots_;
    size_t mask_;
    size_t count_ = 0;
};
