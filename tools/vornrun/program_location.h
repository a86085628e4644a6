// Where in a linked program something happened: the program's symbols by
// address, and the innermost call from program code found on a stack.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class ProgramLocator {
public:
    void setCode(const uint8_t* base, uint32_t size) {
        base_ = base;
        size_ = size;
    }
    void addSymbol(const char* name, const uint8_t* address);

    bool contains(uintptr_t address) const {
        return address >= reinterpret_cast<uintptr_t>(base_) && address - reinterpret_cast<uintptr_t>(base_) < size_;
    }

    // "NAME+0xOFFSET" of the nearest symbol at or below `address`, or
    // "code+0xOFFSET" when none is; "" outside the program's code.
    std::string describe(uintptr_t address) const;

    // The innermost return address into program code on the stack words
    // [from, to) that follows a call instruction; 0 when there is none.
    uintptr_t findCall(const uint32_t* from, const uint32_t* to) const;

private:
    bool followsCall(uintptr_t address) const;

    const uint8_t* base_ = nullptr;
    uint32_t size_ = 0;
    std::vector<std::pair<uintptr_t, std::string>> symbols_;
    mutable bool sorted_ = true;
};
