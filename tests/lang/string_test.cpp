// KrString objects, the shared strings, formatting boundaries, the temporary
// stack's failure path and the run's command-line string.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "lang/kr_string.h"
#include "platform/low_memory.h"
#include "runtime/program_run.h"
#include "runtime/runtime.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) KrString* _krStrFromInt(int value);
__attribute__((stdcall)) void _krStrTmpFree(int n);
__attribute__((stdcall)) KrString* _krStrConcat(KrString* a, KrString* b);
}

namespace {

std::string floatText(float value) {
    char text[kFloatTextSize];
    int length = krFormatFloat(value, text);
    EXPECT_EQ(length, static_cast<int>(std::strlen(text)));
    return text;
}

} // namespace

TEST(KrString, ObjectAndTextShareOneBlockInTheLayoutCompiledCodeReads) {
    if (sizeof(void*) != 4) GTEST_SKIP() << "compiled code's layout exists on 32-bit targets only";
    KrString* s = krNewString("abc");
    const int* words = reinterpret_cast<const int*>(s);
    EXPECT_EQ(words[1], 1) << "reference count";
    EXPECT_EQ(words[2], 3) << "length";
    const char* text = *reinterpret_cast<const char* const*>(words + 3);
    EXPECT_EQ(text, reinterpret_cast<const char*>(s) + sizeof(KrString));
    EXPECT_STREQ(text, "abc");
    release(s);
}

TEST(KrString, BytesMayIncludeNulAndTheTextIsAlwaysTerminated) {
    KrString* s = krNewString("a\0b", 3);
    EXPECT_EQ(s->length(), 3);
    EXPECT_EQ(std::memcmp(s->text(), "a\0b\0", 4), 0);
    release(s);
}

TEST(KrString, EmptyResultsAreTheSharedEmptyStringWithOneMoreReference) {
    KrString* empty = krEmptyString();
    int refs = empty->refs();
    KrString* a = krNewString("");
    KrString* b = krNewString(nullptr);
    KrString* c = krNewString("xyz", 0);
    EXPECT_TRUE(a == empty && b == empty && c == empty);
    EXPECT_EQ(empty->refs(), refs + 3);
    release(a), release(b), release(c);
    EXPECT_EQ(empty->refs(), refs);
}

TEST(KrString, OneCharacterStringsCoverEveryByte) {
    EXPECT_STREQ(krCharString('A')->text(), "A");
    EXPECT_EQ(krCharString(0)->length(), 1);
    EXPECT_EQ(krCharString(0)->text()[0], '\0');
    EXPECT_EQ(static_cast<unsigned char>(krCharString(255)->text()[0]), 255);
}

TEST(KrString, SharedStringsSurviveAReleaseTooMany) {
    // The one-character strings and "NaN" share a block size with short
    // strings; freeing one would hand its block to the next such string.
    KrString* q = krCharString('Q');
    KrString* nan = krNaNString();
    const int qRefs = q->refs(), nanRefs = nan->refs();
    for (int i = 0; i <= qRefs; ++i) q->release();
    for (int i = 0; i <= nanRefs; ++i) nan->release();
    KrString* fresh[4] = {krNewString("Z"), krNewString("YZ"), krNewString("XYZ"), krNewString("WXYZ")};
    for (KrString* s : fresh) {
        EXPECT_NE(s, q);
        EXPECT_NE(s, nan);
    }
    EXPECT_EQ(krCharString('Q'), q);
    EXPECT_STREQ(q->text(), "Q");
    EXPECT_EQ(krNaNString(), nan);
    EXPECT_STREQ(nan->text(), "NaN");
    for (KrString* s : fresh) release(s);
    for (int i = 0; i <= qRefs; ++i) q->retain();
    for (int i = 0; i <= nanRefs; ++i) nan->retain();
}

TEST(KrString, NonFiniteFloatsGiveTheSharedTexts) {
    float zero = 0.0f;
    KrString* nan = krNewStringFromFloat(zero / zero);
    EXPECT_EQ(nan, krNaNString());
    KrString* inf = krNewStringFromFloat(1.0f / zero);
    EXPECT_EQ(inf, krInfinityString());
    KrString* negInf = krNewStringFromFloat(-1.0f / zero);
    EXPECT_STREQ(negInf->text(), "-Infinity");
    release(nan), release(inf), release(negInf);
}

TEST(KrString, ALengthThatCannotBeAllocatedIsOutOfMemory) {
    static const char byte = 'x';
    // A 32-bit Windows process has no room for 2 GB in one piece; a 32-bit
    // process on a 64-bit Linux kernel may have, and the string would then
    // be copied from the one byte here.
    const size_t size = 0x7ffffff0u + 16;
    if (void* room = platform::allocateLow(size)) {
        platform::freeLow(room);
        GTEST_SKIP() << "this host can allocate " << size << " bytes in one block";
    }
    RunRecord run = runAsProgram([] { krNewString(&byte, 0x7ffffff0); });
    EXPECT_EQ(run.error(), "Out of memory");
    EXPECT_FALSE(run.finished);
}

TEST(FloatFormat, RoundingThatCarriesAcrossAFormatBoundary) {
    // 99999992 rounds up to 1.00000e8, whose exponent takes the general form.
    EXPECT_EQ(floatText(99999992.0f), "1.e+008");
    // 0.000999999 stays below 0.001: e = -3, general fixed form.
    EXPECT_EQ(floatText(0.000999999f), "0.000999999");
    // 0.00099999995 rounds up to 0.001: e = -2, plain form.
    EXPECT_EQ(floatText(0.00099999995f), "0.001");
    EXPECT_EQ(floatText(-123456789.0f), "-1.23457e+008");
    EXPECT_EQ(floatText(1e-10f), "1.e-010");
    EXPECT_EQ(floatText(1.17549435e-38f), "1.17549e-038");
    EXPECT_EQ(floatText(0.5f), "0.5");
    EXPECT_EQ(floatText(10.0f), "10.0");
    EXPECT_EQ(floatText(99999.99f), "100000.0");
}

TEST(IntFormat, Boundaries) {
    char text[kIntTextSize];
    EXPECT_EQ(krFormatInt(-2147483647 - 1, text), 11);
    EXPECT_STREQ(text, "-2147483648");
    krFormatInt(10, text);
    EXPECT_STREQ(text, "10");
}

TEST(TmpStrings, PoppingPastTheBottomReleasesWhatWasThereThenFails) {
    KrString* kept = nullptr;
    RunRecord run = runAsProgram([&] {
        krTmpFree(krTmpCount());
        kept = krNewString("kept");
        kept->retain();
        krTmpPush(kept);
        _krStrFromInt(5);
        _krStrTmpFree(3);
    });
    EXPECT_EQ(run.error(), "Illegal TmpStr index");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept->refs(), 1) << "the temporary's reference was released before the error";
    EXPECT_EQ(krTmpCount(), 0);
    release(kept);
}

TEST(TmpStrings, ConcatenationOfTemporariesPushesOneMore) {
    RunRecord run = runAsProgram([] {
        int before = krTmpCount();
        KrString* a = _krStrFromInt(12);
        KrString* ab = _krStrConcat(a, _krStrFromInt(34));
        EXPECT_STREQ(ab->text(), "1234");
        EXPECT_EQ(krTmpCount(), before + 3);
        _krStrTmpFree(3);
        EXPECT_EQ(krTmpCount(), before);
    });
    EXPECT_TRUE(run.finished) << run.error();
}

TEST(CommandLine, TheRunsArgumentTextIsAStringWhileItRuns) {
    std::string seen;
    int refs = 0;
    RunRecord run = runAsProgram(
        [&] {
            KrString* line = commandLineString();
            ASSERT_NE(line, nullptr);
            seen = line->text();
            refs = line->refs();
        },
        " -x file.txt");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(seen, " -x file.txt");
    EXPECT_EQ(refs, 1);
    EXPECT_EQ(commandLineString(), nullptr) << "released when the run ends";
}

TEST(CommandLine, NoArgumentTextGivesTheSharedEmptyString) {
    static KrString* seen = nullptr;
    int refs = krEmptyString()->refs();
    runtimeGetRuntime()->execute([] { seen = commandLineString(); }, nullptr, nullptr);
    EXPECT_EQ(seen, krEmptyString());
    EXPECT_EQ(krEmptyString()->refs(), refs);
}

TEST(KrString, RecycledBlocksOfEverySizeKeepTheirTexts) {
    // Lengths on both sides of the pooled-block limit, made, freed and made
    // again, each string filled with its own byte.
    static KrString* made[600];
    std::string bytes(600, '\0');
    for (int round = 0; round < 2; ++round) {
        for (int length = 1; length < 600; ++length) {
            bytes.assign(static_cast<size_t>(length), static_cast<char>('a' + (length + round) % 26));
            made[length] = krNewString(bytes.data(), length);
        }
        for (int length = 1; length < 600; ++length) {
            ASSERT_EQ(made[length]->length(), length);
            bytes.assign(static_cast<size_t>(length), static_cast<char>('a' + (length + round) % 26));
            ASSERT_EQ(std::memcmp(made[length]->text(), bytes.data(), static_cast<size_t>(length) + 1), 0)
                << "length " << length;
        }
        for (int length = 1; length < 600; ++length) release(made[length]);
    }
}
