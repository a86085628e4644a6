// The string routines that compiled code calls (_krStr...), the string-literal
// table, and the temporary-string stack through which compiled code disposes
// of intermediate results at the end of a statement.
//
// Ownership, routine by routine: _krStrConcat, _krStrFromInt, _krStrFromFloat
// and _krStrFromCStr push their new string on the temporary stack (the stack
// owns it); _krStrLoad returns a borrowed string; _krStrStore and
// _krStrRetain add one reference; _krStrRelease and _krStrTmpFree drop one.
#include <climits>
#include <cstdlib>
#include <cstring>

#include "lang/byte_copy.h"
#include "lang/kr_string.h"
#include "runtime/runtime_error.h"
#include "runtime/symbol_registration.h"

namespace {

// The temporary stack: owned references, most recent last. It never shrinks.
KrString** tmpEntries = nullptr;
int tmpCount = 0;
int tmpCapacity = 0;
constexpr int kTmpGrowth = 1024;

__attribute__((noinline)) void growTmp() {
    int capacity = tmpCapacity + kTmpGrowth;
    void* grown = std::realloc(tmpEntries, static_cast<size_t>(capacity) * sizeof(KrString*));
    if (!grown) runtimeError("Out of memory");
    tmpEntries = static_cast<KrString**>(grown);
    tmpCapacity = capacity;
}

} // namespace

KrString* krTmpPush(KrString* s) {
    if (__builtin_expect(tmpCount == tmpCapacity, 0)) growTmp();
    tmpEntries[tmpCount++] = s;
    return s;
}

void krTmpFree(int n) {
    for (; n > 0; --n) {
        if (tmpCount == 0) runtimeError("Illegal TmpStr index");
        release(tmpEntries[--tmpCount]);
    }
}

int krTmpCount() { return tmpCount; }

extern "C" {

// The literal table: a 0-terminated array of 32-bit addresses of records,
// each a 4-byte slot followed by the literal's NUL-terminated text.
__attribute__((stdcall)) void _krInitCStrs(char** table) {
    // Whatever an earlier run left on the stack is owned by the stack.
    krTmpFree(tmpCount);
    // One reference covers every empty literal's slot.
    KrString* empty = krNewEmptyString();
    const char* entry = reinterpret_cast<const char*>(table);
    for (uint32_t at; entry && (std::memcpy(&at, entry, 4), at != 0); entry += 4) {
        char* record = reinterpret_cast<char*>(static_cast<uintptr_t>(at));
        const char* text = record + 4;
        KrString* s = *text ? krNewString(text) : empty;
        const uint32_t slot = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(s));
        std::memcpy(record, &slot, 4);
    }
}

__attribute__((stdcall)) KrString* _krStrTmp(KrString* s) { return krTmpPush(s); }

__attribute__((stdcall)) void _krStrTmpFree(int n) { krTmpFree(n); }

__attribute__((stdcall)) int _krIStrTmpFree(int value, int n) {
    krTmpFree(n);
    return value;
}

__attribute__((stdcall)) float _krFStrTmpFree(float value, int n) {
    krTmpFree(n);
    return value;
}

__attribute__((stdcall)) KrString* _krStrRetain(KrString* s) {
    if (s) s->retain();
    return s;
}

__attribute__((stdcall)) void _krStrRelease(KrString* s) { release(s); }

__attribute__((stdcall)) KrString* _krStrLoad(KrString** variable) {
    KrString* s = *variable;
    return s ? s : krEmptyString();
}

__attribute__((stdcall)) KrString* _krStrStore(KrString** variable, KrString* s) {
    // The new reference is taken before the old one goes, so storing a
    // variable's own string into it never frees the string.
    if (s) s->retain();
    KrString* old = *variable;
    *variable = s;
    release(old);
    return s;
}

__attribute__((stdcall)) KrString* _krStrConcat(KrString* a, KrString* b) {
    int la = krLength(a), lb = krLength(b);
    if ((la | lb) == 0) return krTmpPush(krNewEmptyString());
    long long total = static_cast<long long>(la) + lb;
    if (total > INT_MAX) runtimeError("Out of memory");
    KrString* s = krAllocString(static_cast<int>(total));
    char* text = const_cast<char*>(s->text());
    if (la) krCopyBytes(text, a->text(), static_cast<size_t>(la));
    if (lb) krCopyBytes(text + la, b->text(), static_cast<size_t>(lb));
    return krTmpPush(s);
}

__attribute__((stdcall)) int _krStrCompare(KrString* a, KrString* b) { return std::strcmp(krText(a), krText(b)); }

__attribute__((stdcall)) int _krStrToInt(KrString* s) { return std::atoi(krText(s)); }

__attribute__((stdcall)) KrString* _krStrFromInt(int value) { return krTmpPush(krNewStringFromInt(value)); }

__attribute__((stdcall)) float _krStrToFloat(KrString* s) { return static_cast<float>(std::atof(krText(s))); }

__attribute__((stdcall)) KrString* _krStrFromFloat(float value) { return krTmpPush(krNewStringFromFloat(value)); }

__attribute__((stdcall)) const char* _krStrToCStr(KrString* s) { return krText(s); }

__attribute__((stdcall)) KrString* _krStrFromCStr(const char* text) { return krTmpPush(krNewString(text)); }

} // extern "C"

KR_INTERNAL(Language, _krInitCStrs, "void VORN_API _krInitCStrs(char** table)");
KR_INTERNAL(Language, _krStrTmp, "KrString* VORN_API _krStrTmp(KrString* s)");
KR_INTERNAL(Language, _krStrTmpFree, "void VORN_API _krStrTmpFree(int n)");
KR_INTERNAL(Language, _krIStrTmpFree, "int VORN_API _krIStrTmpFree(int value, int n)");
KR_INTERNAL(Language, _krFStrTmpFree, "float VORN_API _krFStrTmpFree(float value, int n)");
KR_INTERNAL(Language, _krStrRetain, "KrString* VORN_API _krStrRetain(KrString* s)");
KR_INTERNAL(Language, _krStrRelease, "void VORN_API _krStrRelease(KrString* s)");
KR_INTERNAL(Language, _krStrLoad, "KrString* VORN_API _krStrLoad(KrString** variable)");
KR_INTERNAL(Language, _krStrStore, "KrString* VORN_API _krStrStore(KrString** variable, KrString* s)");
KR_INTERNAL(Language, _krStrConcat, "KrString* VORN_API _krStrConcat(KrString* a, KrString* b)");
KR_INTERNAL(Language, _krStrCompare, "int VORN_API _krStrCompare(KrString* a, KrString* b)");
KR_INTERNAL(Language, _krStrToInt, "int VORN_API _krStrToInt(KrString* s)");
KR_INTERNAL(Language, _krStrFromInt, "KrString* VORN_API _krStrFromInt(int value)");
KR_INTERNAL(Language, _krStrToFloat, "float VORN_API _krStrToFloat(KrString* s)");
KR_INTERNAL(Language, _krStrFromFloat, "KrString* VORN_API _krStrFromFloat(float value)");
KR_INTERNAL(Language, _krStrToCStr, "const char* VORN_API _krStrToCStr(KrString* s)");
KR_INTERNAL(Language, _krStrFromCStr, "KrString* VORN_API _krStrFromCStr(const char* text)");
