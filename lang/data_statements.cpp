// Data statements: the read position in the program's table of constants and
// the three read routines, each converting the item at the position to the
// type it reads. Items are {kind, value}: 0 ends the table, 1 an integer, 2 a
// float, 4 the address of a NUL-terminated text. The end item is never
// passed, so reading at it fails each time.
#include <cstdlib>
#include <cstring>

#include "lang/kr_string.h"
#include "lang/language_types.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

struct DataItem {
    int32_t kind;
    int32_t value;
};

const DataItem* readPosition = nullptr;

// The item at the read position, after the checks that every read makes.
const DataItem& nextItem() {
    if (!readPosition || readPosition->kind == 0) runtimeError("Out of data");
    int32_t kind = readPosition->kind;
    if (kind != kKindInt && kind != kKindFloat && kind != kKindCString) runtimeError("Bad data type");
    return *readPosition;
}

float itemFloat(const DataItem& item) {
    float value;
    std::memcpy(&value, &item.value, sizeof value);
    return value;
}

// A text item without a text reads as "" rather than through a null pointer.
const char* itemText(const DataItem& item) {
    const char* text = reinterpret_cast<const char*>(static_cast<uintptr_t>(static_cast<uint32_t>(item.value)));
    return text ? text : "";
}

// Truncation toward zero. A value that no integer holds (NaN included) gives
// the most negative integer, as the processor's own conversion does, rather
// than being left undefined.
int truncateToInt(float value) {
    if (value >= -2147483648.0f && value < 2147483648.0f) return static_cast<int>(value);
    return INT32_MIN;
}

} // namespace

extern "C" {

__attribute__((stdcall)) void _krRestore(const void* item) { readPosition = static_cast<const DataItem*>(item); }

__attribute__((stdcall)) int _krReadInt() {
    const DataItem& item = nextItem();
    int result;
    switch (item.kind) {
    case kKindInt: result = item.value; break;
    case kKindFloat: result = truncateToInt(itemFloat(item)); break;
    default: result = std::atoi(itemText(item)); break;
    }
    ++readPosition;
    return result;
}

__attribute__((stdcall)) float _krReadFloat() {
    const DataItem& item = nextItem();
    float result;
    switch (item.kind) {
    case kKindInt: result = static_cast<float>(item.value); break;
    case kKindFloat: result = itemFloat(item); break;
    default: result = static_cast<float>(std::atof(itemText(item))); break;
    }
    ++readPosition;
    return result;
}

__attribute__((stdcall)) KrString* _krReadStr() {
    const DataItem& item = nextItem();
    KrString* result;
    switch (item.kind) {
    case kKindInt: result = krNewStringFromInt(item.value); break;
    case kKindFloat: result = krNewStringFromFloat(itemFloat(item)); break;
    default: result = krNewString(itemText(item)); break;
    }
    ++readPosition;
    return krTmpPush(result);
}

} // extern "C"

KR_INTERNAL(Language, _krRestore, "void VORN_API _krRestore(const void* item)");
KR_INTERNAL(Language, _krReadInt, "int VORN_API _krReadInt(void)");
KR_INTERNAL(Language, _krReadFloat, "float VORN_API _krReadFloat(void)");
KR_INTERNAL(Language, _krReadStr, "KrString* VORN_API _krReadStr(void)");
