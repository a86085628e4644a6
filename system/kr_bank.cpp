#include "system/kr_bank.h"

#include <cstdlib>
#include <cstring>

#include "platform/low_memory.h"
#include "runtime/runtime_error.h"

namespace {

uint8_t* allocateBytes(int64_t count) {
    if (count > INT32_MAX) runtimeError("Bank size out of range");
    auto* block = static_cast<uint8_t*>(platform::allocateLow(static_cast<size_t>(count)));
    if (!block) runtimeError("Out of memory");
    return block;
}

} // namespace

KrBank* KrBank::create(int size) {
    if (size < 0) runtimeError("Bank size out of range");
    uint8_t* data = allocateBytes(int64_t(size) + 10);
    std::memset(data, 0, size);
    return new KrBank(data, size);
}

KrBank::KrBank(uint8_t* data, int size) : data_(data), size_(size), capacity_(size + 10), extent_(size) {}

KrBank::KrBank() = default;

KrBank::~KrBank() {
    if (capacity_ != 0) platform::freeLow(data_);
}

void KrBank::setData(uint8_t* data, int extent) {
    if (capacity_ != 0) runtimeError("Bank data cannot be modified");
    data_ = data;
    extent_ = data ? extent : 0;
}

void KrBank::resize(int size) {
    if (capacity_ == 0) runtimeError("Bank cannot be resized");
    if (size < 0) runtimeError("Bank size out of range");
    if (size > capacity_) {
        int64_t grown = int64_t(size / 2) + size + 10;
        reserve(grown > INT32_MAX ? size : static_cast<int>(grown));
    }
    if (size > size_) std::memset(data_ + size_, 0, size - size_);
    size_ = extent_ = size;
}

void KrBank::reserve(int capacity) {
    if (capacity_ == 0) runtimeError("Bank cannot be resized");
    if (capacity_ >= capacity) return;
    uint8_t* block = allocateBytes(capacity);
    std::memcpy(block, data_, size_);
    platform::freeLow(data_);
    data_ = block;
    capacity_ = capacity;
}

uint8_t* KrBank::range(int offset, int count) const {
    if (offset < 0 || count < 0 || int64_t(offset) + count > extent_)
        runtimeError("Bank access of %d bytes at offset %d outside bank of %d bytes", count, offset, extent_);
    return data_ + offset;
}
