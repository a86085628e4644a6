// KrBank: a block of raw bytes the program allocates, grows, peeks and pokes.
//
// An owning bank (capacity > 0) holds size bytes in a block of capacity
// bytes; a wrapping bank (capacity 0) lends memory it does not own, such as
// the locked pixels of a drawing buffer, and can be neither resized nor freed
// by the program.
#pragma once

#include <cstdint>

#include "runtime/resource.h"

class KrBank final : public KrResource {
public:
    static constexpr const char* kHandleName = "Bank";

    // An owning bank of `size` zero-filled bytes (capacity size + 10). A
    // negative size or memory that cannot be had is a runtime error, raised
    // before any object exists.
    static KrBank* create(int size);
    // A wrapping bank without memory; its owner sets the data pointer.
    KrBank();
    ~KrBank() override;

    uint8_t* data() const { return data_; }
    int size() const { return size_; }
    int capacity() const { return capacity_; }
    bool wraps() const { return capacity_ == 0; }

    // Lends `extent` bytes at `data` to a wrapping bank; its size stays 0.
    void setData(uint8_t* data, int extent);
    void resize(int size);
    void reserve(int capacity);

    // The address of `count` bytes at `offset`, which must lie inside the
    // bank's contents (a wrapping bank: the lent extent); otherwise a runtime
    // error.
    uint8_t* range(int offset, int count) const;

private:
    KrBank(uint8_t* data, int size);

    uint8_t* data_ = nullptr;
    int size_ = 0;
    int capacity_ = 0;
    int extent_ = 0; // bytes the program may reach: size, or what a wrapping bank lends
};
