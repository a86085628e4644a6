// Fuzz target: the tables of a linked image that the language routines walk
// at run time: data statements (_krRestore and the three reads), string
// literals (_krInitCStrs) and user libraries (_krLoadLibs).
//
// Input: a byte choosing the table (and, for data, the reads), then the
// table. It is laid out as the linker lays out a code block (followed by
// kLinkedCodeGuard zero bytes), at the start of that block. Its address
// fields hold offsets into the block and are relocated here as the image's
// absolute relocations are by the linker: texts anywhere, the literal
// records and library slots that the routines write after the table, as
// compiled code lays them out. A field that would not lie whole in the
// block, which no relocation can patch, cuts the table short there.
#include <cstddef>
#include <cstdint>
#include <algorithm>
#include <cstring>
#include <set>
#include <vector>

#include "lang/kr_string.h"
#include "platform/low_memory.h"
#include "runtime/module_linker.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) void _krRestore(const void* item);
__attribute__((stdcall)) int _krReadInt();
__attribute__((stdcall)) float _krReadFloat();
__attribute__((stdcall)) KrString* _krReadStr();
__attribute__((stdcall)) void _krInitCStrs(char** table);
__attribute__((stdcall)) void _krLoadLibs(const void* table);
__attribute__((stdcall)) void _krStrTmpFree(int n);
}
int krTmpCount();

namespace {

uint32_t word(const std::vector<uint8_t>& bytes, size_t at) {
    uint32_t value;
    std::memcpy(&value, bytes.data() + at, 4);
    return value;
}

// A table's address fields and the part of the block they may point into.
// The literal records and library slots that are written follow the table,
// as compiled code lays them out (the last place is the block's end, in the
// zero bytes after it).
struct Fields {
    std::vector<size_t> at;
    size_t targetFrom = 0;
};

// {kind, value} items whose value is an address for kind 4: a text anywhere.
Fields dataFields(std::vector<uint8_t>& t) {
    t.resize(t.size() / 8 * 8);
    Fields f;
    for (size_t at = 0; at < t.size(); at += 8)
        if (word(t, at) == 4) f.at.push_back(at + 4);
    return f;
}

// Record addresses ended by 0.
Fields literalFields(std::vector<uint8_t>& t) {
    t.resize(t.size() / 4 * 4);
    Fields f;
    size_t at = 0;
    for (; at < t.size() && word(t, at) != 0; at += 4) f.at.push_back(at);
    f.targetFrom = at + 4;
    return f;
}

// Library names, each followed by function names with their slot addresses
// and ended by an empty name; an empty library name ends the table.
Fields libraryFields(std::vector<uint8_t>& t) {
    Fields f;
    size_t at = 0, n = t.size();
    auto name = [&] {
        while (at < n && t[at]) ++at;
        ++at;
    };
    while (at < n && t[at]) {
        name();
        while (at < n && t[at]) {
            name();
            if (at + 4 > n) {
                t.resize(at < n ? at : n);
                f.targetFrom = t.size();
                return f;
            }
            f.at.push_back(at);
            at += 4;
        }
        ++at;
    }
    f.targetFrom = at + 1;
    return f;
}

// Where two literal records' slots overlap, the string made for the second
// is written over the address of the first, which is then lost: a string for
// as long as the program runs, nothing worse, and no linker lays records out
// so. The table is cut short before such a record, so that every string made
// is found and released again and the leak check still holds for the rest.
void cutBeforeOverlappingSlots(std::vector<uint8_t>& bytes, Fields& fields) {
    std::set<uint32_t> slots;
    for (size_t i = 0; i < fields.at.size(); ++i) {
        const uint32_t record = word(bytes, fields.at[i]);
        if (record == 0) return;
        auto next = slots.lower_bound(record - 3);
        if (next != slots.end() && *next < record + 4) {
            std::memset(bytes.data() + fields.at[i], 0, 4);
            fields.at.resize(i);
            return;
        }
        slots.insert(record);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const int table = data[0] % 3, reads = data[0] / 3;
    std::vector<uint8_t> bytes(data + 1, data + size);
    Fields fields = table == 0 ? dataFields(bytes) : table == 1 ? literalFields(bytes) : libraryFields(bytes);
    if (bytes.empty()) return 0;
    // A record or slot lies whole in the block; where there is no room for
    // one the field stays 0 (what a table cut short reads in the zero bytes).
    const size_t from = fields.targetFrom;
    const size_t room = bytes.size() >= 4 && from <= bytes.size() - 4 ? bytes.size() - 4 - from + 1 : 0;
    auto* block = static_cast<uint8_t*>(platform::allocateLow(bytes.size() + kLinkedCodeGuard));
    if (!block) return 0;
    const auto base = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(block));
    for (size_t at : fields.at) {
        uint32_t value = 0;
        if (table == 0) value = base + word(bytes, at) % static_cast<uint32_t>(bytes.size() + 1);
        else if (room) value = base + static_cast<uint32_t>(from + word(bytes, at) % room);
        std::memcpy(bytes.data() + at, &value, 4);
    }
    if (table == 1) cutBeforeOverlappingSlots(bytes, fields);
    std::memcpy(block, bytes.data(), bytes.size());
    std::memset(block + bytes.size(), 0, kLinkedCodeGuard);

    runAsProgram([&] {
        switch (table) {
        case 0:
            _krRestore(block);
            for (int i = 0; i < reads; ++i) {
                if (i % 3 == 0) _krReadInt();
                else if (i % 3 == 1) _krReadFloat();
                else _krReadStr();
            }
            break;
        case 1: {
            _krInitCStrs(reinterpret_cast<char**>(block));
            // Each slot now holds a string with a reference of its own (one
            // for all the empty ones). Records may overlap, so a slot may have
            // been written over: each distinct live string is released once.
            std::set<uint32_t> strings;
            for (size_t at : fields.at) {
                uint32_t record, slot;
                std::memcpy(&record, bytes.data() + at, 4);
                if (record == 0) continue;
                std::memcpy(&slot, reinterpret_cast<void*>(static_cast<uintptr_t>(record)), 4);
                strings.insert(slot);
            }
            for (uint32_t slot : strings)
                if (KrObject* s = liveObject(static_cast<int>(slot))) s->release();
            break;
        }
        default: _krLoadLibs(block); break;
        }
    });
    _krStrTmpFree(krTmpCount());
    platform::freeLow(block);
    return 0;
}
