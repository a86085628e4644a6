// Banks: sizes and growth, unaligned peeks and pokes, copies, streams, and
// the range checks that keep a program inside its bank.
#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "support/program_harness.h"
#include "system/kr_bank.h"
#include "system/kr_stream.h"

extern "C" {
__attribute__((stdcall)) int CreateBank(int size);
__attribute__((stdcall)) void FreeBank(int bank);
__attribute__((stdcall)) int BankSize(int bank);
__attribute__((stdcall)) void ResizeBank(int bank, int size);
__attribute__((stdcall)) void CopyBank(int srcBank, int srcOffset, int destBank, int destOffset, int count);
__attribute__((stdcall)) int PeekByte(int bank, int offset);
__attribute__((stdcall)) int PeekShort(int bank, int offset);
__attribute__((stdcall)) int PeekInt(int bank, int offset);
__attribute__((stdcall)) float PeekFloat(int bank, int offset);
__attribute__((stdcall)) void PokeByte(int bank, int offset, int value);
__attribute__((stdcall)) void PokeShort(int bank, int offset, int value);
__attribute__((stdcall)) void PokeInt(int bank, int offset, int value);
__attribute__((stdcall)) void PokeFloat(int bank, int offset, float value);
__attribute__((stdcall)) int ReadBytes(int bank, int stream, int offset, int count);
__attribute__((stdcall)) int WriteBytes(int bank, int stream, int offset, int count);
}

namespace {

KrBank* asBank(int handle) { return reinterpret_cast<KrBank*>(static_cast<uintptr_t>(handle)); }

// A stream over a byte vector: reads consume from the front.
class MemoryStream : public KrStream {
public:
    std::vector<uint8_t> bytes;
    int read(void* buffer, int count) override {
        int n = std::min<int>(count, bytes.size());
        std::memcpy(buffer, bytes.data(), n);
        bytes.erase(bytes.begin(), bytes.begin() + n);
        return n;
    }
    int write(const void* buffer, int count) override {
        auto* p = static_cast<const uint8_t*>(buffer);
        bytes.insert(bytes.end(), p, p + count);
        return count;
    }
    int avail() override { return static_cast<int>(bytes.size()); }
    int eof() override { return bytes.empty(); }
};

} // namespace

TEST(Banks, SizesCapacityAndGrowth) {
    RunRecord r = runAsProgram([] {
        int empty = CreateBank(0);
        EXPECT_EQ(BankSize(empty), 0);
        EXPECT_EQ(asBank(empty)->capacity(), 10);
        FreeBank(empty); // an owning bank of size 0 can be freed

        int bank = CreateBank(10);
        for (int i = 0; i < 10; ++i) PokeByte(bank, i, i + 1);
        ResizeBank(bank, 100);
        EXPECT_EQ(asBank(bank)->capacity(), 160);
        for (int i = 0; i < 10; ++i) EXPECT_EQ(PeekByte(bank, i), i + 1);
        for (int i = 10; i < 100; ++i) EXPECT_EQ(PeekByte(bank, i), 0) << i;

        // Shrink, dirty the memory beyond, regrow: the regrown range is zero.
        ResizeBank(bank, 20);
        EXPECT_EQ(asBank(bank)->capacity(), 160);
        asBank(bank)->data()[50] = 0xAB;
        ResizeBank(bank, 100);
        EXPECT_EQ(PeekByte(bank, 50), 0);
        FreeBank(bank);
        FreeBank(0);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(Banks, UnalignedValuesAndTheirWidths) {
    RunRecord r = runAsProgram([] {
        int bank = CreateBank(16);
        PokeInt(bank, 1, -1);
        EXPECT_EQ(PeekShort(bank, 1), 65535);
        EXPECT_EQ(PeekInt(bank, 1), -1);
        PokeByte(bank, 3, 257);
        EXPECT_EQ(PeekByte(bank, 3), 1);
        PokeShort(bank, 5, 0x12345678);
        EXPECT_EQ(PeekShort(bank, 5), 0x5678);
        EXPECT_EQ(PeekByte(bank, 5), 0x78);
        PokeFloat(bank, 9, 1.5f);
        EXPECT_EQ(PeekFloat(bank, 9), 1.5f);
        EXPECT_EQ(PeekInt(bank, 9), 0x3FC00000);
        PokeInt(bank, 12, 0x01020304);
        EXPECT_EQ(PeekByte(bank, 12), 4); // little-endian
        FreeBank(bank);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(Banks, OverlappingCopyMovesTheBytes) {
    RunRecord r = runAsProgram([] {
        int bank = CreateBank(8);
        for (int i = 0; i < 8; ++i) PokeByte(bank, i, i);
        CopyBank(bank, 0, bank, 2, 6);
        const int forward[] = {0, 1, 0, 1, 2, 3, 4, 5};
        for (int i = 0; i < 8; ++i) EXPECT_EQ(PeekByte(bank, i), forward[i]);
        CopyBank(bank, 2, bank, 0, 6);
        const int back[] = {0, 1, 2, 3, 4, 5, 4, 5};
        for (int i = 0; i < 8; ++i) EXPECT_EQ(PeekByte(bank, i), back[i]);
        CopyBank(bank, 8, bank, 8, 0); // nothing at the very end is fine
        FreeBank(bank);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(Banks, AccessOutsideTheBankIsARuntimeError) {
    int bank = 0;
    auto attempt = [&](const std::function<void()>& body) {
        return runAsProgram([&] {
            bank = CreateBank(8);
            body();
        }).error();
    };
    const std::string outside = "Bank access of 4 bytes at offset 5 outside bank of 8 bytes";
    EXPECT_EQ(attempt([&] { PeekInt(bank, 5); }), outside);
    EXPECT_EQ(attempt([&] { PokeInt(bank, 5, 0); }), outside);
    EXPECT_EQ(attempt([&] { PeekByte(bank, -1); }), "Bank access of 1 bytes at offset -1 outside bank of 8 bytes");
    EXPECT_EQ(attempt([&] { CopyBank(bank, 0, bank, 4, 5); }), "Bank access of 5 bytes at offset 4 outside bank of 8 bytes");
    EXPECT_EQ(attempt([&] { CopyBank(bank, 0, bank, 0, -1); }), "Bank access of -1 bytes at offset 0 outside bank of 8 bytes");
    EXPECT_EQ(attempt([&] { PeekInt(0, 0); }), "Invalid Bank handle");
    int live = static_cast<int>(liveObjects().size());
    EXPECT_EQ(attempt([&] { CreateBank(-1); }), "Bank size out of range");
    EXPECT_EQ(static_cast<int>(liveObjects().size()), live + 1); // the bank made by attempt, no half-built one
    EXPECT_EQ(attempt([&] { ResizeBank(bank, -5); }), "Bank size out of range");
}

TEST(Banks, WrappingBankLendsMemoryButCannotBeResizedOrFreed) {
    uint8_t pixels[16] = {};
    auto* wrap = new KrBank;
    wrap->setData(pixels, sizeof pixels);
    int handle = toHandle(wrap);
    RunRecord r = runAsProgram([&] {
        PokeInt(handle, 12, 7);
        EXPECT_EQ(pixels[12], 7);
        EXPECT_EQ(BankSize(handle), 0);
        FreeBank(handle);
    });
    EXPECT_EQ(r.error(), "Bank cannot be freed");
    EXPECT_EQ(runAsProgram([&] { ResizeBank(handle, 4); }).error(), "Bank cannot be resized");
    EXPECT_EQ(runAsProgram([&] { PeekByte(handle, 16); }).error(),
              "Bank access of 1 bytes at offset 16 outside bank of 16 bytes");
    KrBank* owning = nullptr;
    runAsProgram([&] { owning = KrBank::create(4); });
    EXPECT_EQ(runAsProgram([&] { owning->setData(pixels, 4); }).error(), "Bank data cannot be modified");
    owning->release();
    wrap->release();
}

TEST(Banks, BytesMoveBetweenBanksAndStreams) {
    auto* stream = new MemoryStream;
    RunRecord r = runAsProgram([&] {
        int bank = CreateBank(8);
        for (int i = 0; i < 8; ++i) PokeByte(bank, i, 10 + i);
        EXPECT_EQ(WriteBytes(bank, toHandle(stream), 2, 4), 4);
        EXPECT_EQ(stream->bytes, (std::vector<uint8_t>{12, 13, 14, 15}));
        EXPECT_EQ(ReadBytes(bank, toHandle(stream), 0, 3), 3);
        EXPECT_EQ(PeekByte(bank, 0), 12);
        EXPECT_EQ(PeekByte(bank, 2), 14);
        EXPECT_EQ(ReadBytes(bank, toHandle(stream), 7, 1), 1); // the last byte of the bank
        EXPECT_EQ(ReadBytes(bank, toHandle(stream), 8, 0), 0);
        ReadBytes(bank, toHandle(stream), 6, 4);
    });
    EXPECT_EQ(r.error(), "Bank access of 4 bytes at offset 6 outside bank of 8 bytes");
    EXPECT_EQ(runAsProgram([&] { ReadBytes(CreateBank(4), 12345, 0, 1); }).error(), "Invalid Stream handle");
    stream->release();
}
