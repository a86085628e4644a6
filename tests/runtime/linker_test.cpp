// Linking module images: symbols, both relocation kinds, name resolution and
// every fatal text, with images laid out byte by byte.
#include <gtest/gtest.h>

#include <cstring>

#include "runtime/module_linker.h"
#include "runtime/runtime.h"
#include "support/image_builder.h"
#include "support/program_harness.h"

namespace {

struct LinkResult {
    bool ok;
    std::string error;
    LinkedModule module;
};

LinkResult link(const TestImage& image) {
    LinkResult result;
    std::vector<uint8_t> bytes = image.bytes();
    result.ok = linkModuleImage(bytes.data(), bytes.size(), *runtimeGetRuntime(), result.module, result.error);
    return result;
}

void run(const LinkedModule& module) {
    static RecordingDebugger debugger;
    runtimeGetRuntime()->execute(reinterpret_cast<KrEntryPoint>(module.base), "", &debugger);
}

uint32_t read32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// mov dword [flag], value ; the address field is an absolute relocation of "flag".
void emitStoreFlag(TestImage& image, uint8_t value) {
    image.emit({0xC7, 0x05});
    image.absolute("flag", image.emit32(0));
    image.emit({value, 0, 0, 0});
}

} // namespace

TEST(Linker, ImageWithoutSymbolsOrRelocationsRunsFromOffsetZero) {
    TestImage image;
    image.emit({0xC3}); // ret
    LinkResult r = link(image);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(r.module.size, 1u);
    EXPECT_EQ(r.module.base[0], 0xC3);
    run(r.module);
}

TEST(Linker, MainCodeStoresThroughAbsoluteRelocation) {
    TestImage image;
    emitStoreFlag(image, 7);
    image.emit({0xC3});
    uint32_t flag = image.emit32(0);
    image.symbol("flag", flag);
    LinkResult r = link(image);
    ASSERT_TRUE(r.ok) << r.error;
    run(r.module);
    EXPECT_EQ(read32(r.module.base + flag), 7u);
}

TEST(Linker, AbsoluteRelocationAddsTheStoredAddend) {
    TestImage image;
    image.emit({0xC3});
    uint32_t field = image.emit32(8);
    image.symbol("target", 0).absolute("target", field);
    LinkResult r = link(image);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_EQ(read32(r.module.base + field), reinterpret_cast<uintptr_t>(r.module.base) + 8);
}

TEST(Linker, RelativeRelocationMakesACallReachItsTarget) {
    TestImage image;
    image.emit({0xE8}); // call rel32
    uint32_t field = image.emit32(static_cast<uint32_t>(-4));
    image.emit({0xC3});
    uint32_t function = image.emit({0xC3});
    image.symbol("_fhelper", function).relative("_fhelper", field);
    LinkResult r = link(image);
    ASSERT_TRUE(r.ok) << r.error;
    int32_t displacement = static_cast<int32_t>(read32(r.module.base + field));
    EXPECT_EQ(field + 4 + displacement, function);
}

TEST(Linker, ModuleSymbolHidesTheRuntimeCommandOfTheSameName) {
    for (bool ownDefinition : {true, false}) {
        TestImage image;
        image.emit({0xE8});
        image.relative("_fruntimestats", image.emit32(static_cast<uint32_t>(-4)));
        image.emit({0xC3});
        uint32_t own = static_cast<uint32_t>(image.code.size());
        emitStoreFlag(image, 1);
        image.emit({0xC3});
        uint32_t flag = image.emit32(0);
        image.symbol("flag", flag);
        if (ownDefinition) image.symbol("_fruntimestats", own);
        LinkResult r = link(image);
        ASSERT_TRUE(r.ok) << r.error;
        run(r.module);
        EXPECT_EQ(read32(r.module.base + flag), ownDefinition ? 1u : 0u) << "own definition: " << ownDefinition;
    }
}

TEST(Linker, CommandsAndInternalNamesLinkUnderTheirKeys) {
    // "End" links as _fend, the internal _krDebugStmt as __krDebugStmt.
    TestImage image;
    image.emit({0xC3});
    uint32_t a = image.emit32(0), b = image.emit32(0);
    image.absolute("_fend", a).absolute("__krDebugStmt", b);
    LinkResult r = link(image);
    ASSERT_TRUE(r.ok) << r.error;
    EXPECT_NE(read32(r.module.base + a), 0u);
    EXPECT_NE(read32(r.module.base + b), 0u);
    EXPECT_NE(read32(r.module.base + a), read32(r.module.base + b));
}

TEST(Linker, SymbolOffsetMustLieInsideTheCodeBlock) {
    TestImage inside;
    inside.code.assign(16, 0xC3);
    inside.symbol("last", 15);
    EXPECT_TRUE(link(inside).ok);

    TestImage outside;
    outside.code.assign(16, 0xC3);
    outside.symbol("end", 16);
    LinkResult r = link(outside);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Illegal symbol value");
}

TEST(Linker, UnknownSymbolIsNamed) {
    TestImage image;
    image.code.assign(8, 0xC3);
    image.absolute("_fnosuch", 4);
    LinkResult r = link(image);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Can't find symbol: _fnosuch");
}

TEST(Linker, RelocationFieldMustLieWhollyInsideTheCodeBlock) {
    for (uint32_t offset : {5u, 8u, 0xFFFFFFFEu}) {
        TestImage image;
        image.code.assign(8, 0xC3);
        image.symbol("x", 0).absolute("x", offset);
        LinkResult r = link(image);
        EXPECT_FALSE(r.ok) << offset;
        EXPECT_EQ(r.error, "Illegal relocation offset") << offset;
    }
    TestImage last;
    last.code.assign(8, 0xC3);
    last.symbol("x", 0).relative("x", 4);
    EXPECT_TRUE(link(last).ok);
}

TEST(Linker, EveryTruncationOfAnImageIsRejectedAsCorrupt) {
    TestImage image;
    image.emit({0xC3, 0, 0, 0, 0, 0, 0, 0});
    image.symbol("_fhelper", 0).relative("_fhelper", 1).absolute("_fhelper", 4);
    std::vector<uint8_t> bytes = image.bytes();
    for (size_t n = 0; n < bytes.size(); ++n) {
        std::vector<uint8_t> prefix(bytes.begin(), bytes.begin() + n);
        LinkedModule module;
        std::string error;
        EXPECT_FALSE(linkModuleImage(prefix.data(), prefix.size(), *runtimeGetRuntime(), module, error)) << n;
        EXPECT_EQ(error, "Corrupt module image") << n;
    }
}

TEST(Linker, HugeCountsAreCorruptNotAllocated) {
    std::vector<uint8_t> bytes = {0xFF, 0xFF, 0xFF, 0x7F}; // code size far beyond the image
    LinkedModule module;
    std::string error;
    EXPECT_FALSE(linkModuleImage(bytes.data(), bytes.size(), *runtimeGetRuntime(), module, error));
    EXPECT_EQ(error, "Corrupt module image");

    TestImage image;
    image.emit({0xC3});
    std::vector<uint8_t> withCount = image.bytes();
    withCount.resize(5);
    withCount.insert(withCount.end(), {0xFF, 0xFF, 0xFF, 0xFF}); // symbol count
    EXPECT_FALSE(linkModuleImage(withCount.data(), withCount.size(), *runtimeGetRuntime(), module, error));
    EXPECT_EQ(error, "Corrupt module image");
}

TEST(Linker, ImageWithoutCodeIsCorrupt) {
    // Nothing lies at offset 0 to be called as the main code.
    TestImage image;
    LinkResult r = link(image);
    EXPECT_FALSE(r.ok);
    EXPECT_EQ(r.error, "Corrupt module image");
}

namespace {

// The x87 environment's tag word: 0xFFFF when every register is empty.
uint16_t fpuTagWord() {
    uint16_t env[14];
    __asm__ __volatile__("fnstenv %0\n\tfldenv %0" : "=m"(env));
    return env[4];
}

} // namespace

TEST(Linker, FaultInLinkedCodeLeavesTheFpuStackEmpty) {
    // fld1; fld1; xor ecx,ecx; xor edx,edx; div ecx; ret: the fault strikes
    // with two values on the FPU stack, in frames the end point abandons.
    TestImage image;
    image.emit({0xD9, 0xE8, 0xD9, 0xE8, 0x31, 0xC9, 0x31, 0xD2, 0xF7, 0xF1, 0xC3});
    LinkResult r = link(image);
    ASSERT_TRUE(r.ok) << r.error;
    ASSERT_EQ(fpuTagWord(), 0xFFFF);
    static RecordingDebugger debugger;
    debugger = RecordingDebugger();
    runtimeGetRuntime()->execute(reinterpret_cast<KrEntryPoint>(r.module.base), "", &debugger);
    ASSERT_EQ(debugger.messages, std::vector<std::string>{"Integer divide by zero"});
    EXPECT_EQ(fpuTagWord(), 0xFFFF);
}

TEST(Linker, StackOverflowInLinkedCodeEndsEveryRunItHappensIn) {
    // call $ : recursion without end.
    TestImage image;
    image.emit({0xE8, 0xFB, 0xFF, 0xFF, 0xFF});
    LinkResult r = link(image);
    ASSERT_TRUE(r.ok) << r.error;
    for (int round = 0; round < 3; ++round) {
        static RecordingDebugger debugger;
        debugger = RecordingDebugger();
        runtimeGetRuntime()->execute(reinterpret_cast<KrEntryPoint>(r.module.base), "", &debugger);
        EXPECT_EQ(debugger.messages, std::vector<std::string>{"Stack overflow"}) << "round " << round;
    }
}
