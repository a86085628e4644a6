// Requests that cannot be allocated end the run with "Out of memory" instead
// of handing a null pointer to compiled code, and leave the records as they
// were.
#include <gtest/gtest.h>

#include "lang/language_types.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) KrObjHeader* _krObjNew(KrTypeDesc* type);
__attribute__((stdcall)) void _krDimArray(KrArrayDesc* array);
}

TEST(AllocationFailure, ABlockOfObjectsTooLargeForMemory) {
    // 512 objects of 4 MB each cannot be had in a 32-bit process.
    static KrTypeDesc type;
    type.kind = kKindObject;
    initTypeAnchor(type.used);
    initTypeAnchor(type.free);
    type.fieldCount = 1 << 20;
    KrObjHeader* made = reinterpret_cast<KrObjHeader*>(1);
    RunRecord run = runAsProgram([&] { made = _krObjNew(&type); });
    EXPECT_EQ(run.error(), "Out of memory");
    EXPECT_EQ(made, reinterpret_cast<KrObjHeader*>(1)) << "no object came back";
    EXPECT_EQ(type.free.next, &type.free);
    EXPECT_EQ(type.used.next, &type.used);
}

TEST(AllocationFailure, AnArrayThatFitsThe32BitSizeButNotMemory) {
    // 500 million elements: 2 GB, within the size limit, beyond the memory.
    static KrArrayDesc array;
    array.data = nullptr;
    array.elementKind = kKindInt;
    array.dimensions = 1;
    array.sizes[0] = 499999999;
    RunRecord run = runAsProgram([] { _krDimArray(&array); });
    EXPECT_EQ(run.error(), "Out of memory");
    EXPECT_EQ(array.data, nullptr);
}

TEST(AllocationFailure, AnElementCountPastThe32BitByteSize) {
    static KrArrayDesc array;
    array.data = nullptr;
    array.elementKind = kKindInt;
    array.dimensions = 1;
    array.sizes[0] = 0x20000000; // 2^29 + 1 elements: 2 GB + 4 bytes
    RunRecord run = runAsProgram([] { _krDimArray(&array); });
    EXPECT_EQ(run.error(), "Array too large");
    EXPECT_EQ(array.sizes[0], 0x20000000) << "the descriptor is left as it was";
}
