// Language-support hot paths: string concatenation through the temporary
// stack, object creation and deletion from a stocked free list, and number
// texts. Prints "name: value unit" lines.
#include <chrono>
#include <cstdio>

#include "lang/kr_string.h"
#include "lang/language_types.h"

extern "C" {
__attribute__((stdcall)) KrString* _krStrConcat(KrString* a, KrString* b);
__attribute__((stdcall)) void _krStrTmpFree(int n);
__attribute__((stdcall)) KrString* _krStrStore(KrString** variable, KrString* s);
__attribute__((stdcall)) KrString* _krStrFromFloat(float value);
__attribute__((stdcall)) KrString* _krStrFromInt(int value);
__attribute__((stdcall)) KrObjHeader* _krObjNew(KrTypeDesc* type);
__attribute__((stdcall)) void _krObjDelete(KrObjHeader* object);
extern int32_t _krIntType[];
extern int32_t _krStrType[];
}

namespace {

using Clock = std::chrono::steady_clock;

template <typename Fn>
void measure(const char* name, const char* unit, int count, Fn&& body) {
    body(count / 10); // warm up: stock free lists, fault pages in
    double best = 0;
    for (int round = 0; round < 3; ++round) {
        auto start = Clock::now();
        body(count);
        double seconds = std::chrono::duration<double>(Clock::now() - start).count();
        double rate = count / seconds;
        if (rate > best) best = rate;
    }
    std::printf("%s: %.1f %s\n", name, best / 1e6, unit);
}

struct ThreeFieldType {
    KrTypeDesc desc;
    const KrTypeRecord* more[2];
};

} // namespace

int main() {
    KrString* a = krNewString("abcdefgh");
    KrString* b = krNewString("12345678");
    measure("str_concat_8_8_tmpfree", "Mops/s", 10000000, [&](int n) {
        for (int i = 0; i < n; ++i) {
            _krStrConcat(a, b);
            _krStrTmpFree(1);
        }
    });

    KrString* variable = nullptr;
    measure("str_store", "Mops/s", 20000000, [&](int n) {
        for (int i = 0; i < n; ++i) _krStrStore(&variable, (i & 1) ? a : b);
    });

    measure("str_from_float_tmpfree", "Mops/s", 1000000, [&](int n) {
        for (int i = 0; i < n; ++i) {
            _krStrFromFloat(static_cast<float>(i) * 0.37f);
            _krStrTmpFree(1);
        }
    });

    measure("str_from_int_tmpfree", "Mops/s", 5000000, [&](int n) {
        for (int i = 0; i < n; ++i) {
            _krStrFromInt(i);
            _krStrTmpFree(1);
        }
    });

    static ThreeFieldType type;
    type.desc.kind = kKindObject;
    initTypeAnchor(type.desc.used);
    initTypeAnchor(type.desc.free);
    type.desc.fieldCount = 3;
    type.desc.fieldTypes[0] = reinterpret_cast<const KrTypeRecord*>(_krIntType);
    type.more[0] = reinterpret_cast<const KrTypeRecord*>(_krIntType);
    type.more[1] = reinterpret_cast<const KrTypeRecord*>(_krStrType);
    measure("obj_new_delete_pair", "Mpairs/s", 30000000, [&](int n) {
        for (int i = 0; i < n; ++i) _krObjDelete(_krObjNew(&type.desc));
    });

    release(variable);
    release(a);
    release(b);
    return 0;
}
