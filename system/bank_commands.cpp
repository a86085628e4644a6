// The bank commands: making, sizing and freeing banks, peeking and poking
// values at any (unaligned) offset, copying between banks, and moving bytes
// between banks and streams. Every offset and count is checked against the
// bank's contents.
#include <cstring>

#include "runtime/symbol_registration.h"
#include "system/kr_bank.h"
#include "system/kr_stream.h"

namespace {

KrBank* bankOf(int handle) { return castHandle<KrBank>(handle); }

template <typename T>
T peek(int bank, int offset) {
    T value;
    std::memcpy(&value, bankOf(bank)->range(offset, sizeof(T)), sizeof(T));
    return value;
}

template <typename T>
void poke(int bank, int offset, T value) {
    std::memcpy(bankOf(bank)->range(offset, sizeof(T)), &value, sizeof(T));
}

} // namespace

extern "C" {

__attribute__((stdcall)) int CreateBank(int size) { return toHandle(KrBank::create(size)); }

// The pixel bank of a drawing buffer (a wrapping bank) belongs to the buffer.
__attribute__((stdcall)) void FreeBank(int bank) {
    if (!bank) return;
    KrBank* b = bankOf(bank);
    if (b->wraps()) runtimeError("Bank cannot be freed");
    b->release();
}

__attribute__((stdcall)) int BankSize(int bank) { return bankOf(bank)->size(); }

__attribute__((stdcall)) void ResizeBank(int bank, int size) { bankOf(bank)->resize(size); }

__attribute__((stdcall)) void CopyBank(int srcBank, int srcOffset, int destBank, int destOffset, int count) {
    const uint8_t* from = bankOf(srcBank)->range(srcOffset, count);
    uint8_t* to = bankOf(destBank)->range(destOffset, count);
    std::memmove(to, from, count);
}

__attribute__((stdcall)) int PeekByte(int bank, int offset) { return peek<uint8_t>(bank, offset); }
__attribute__((stdcall)) int PeekShort(int bank, int offset) { return peek<uint16_t>(bank, offset); }
__attribute__((stdcall)) int PeekInt(int bank, int offset) { return peek<int32_t>(bank, offset); }
__attribute__((stdcall)) float PeekFloat(int bank, int offset) { return peek<float>(bank, offset); }

__attribute__((stdcall)) void PokeByte(int bank, int offset, int value) { poke<uint8_t>(bank, offset, value); }
__attribute__((stdcall)) void PokeShort(int bank, int offset, int value) { poke<uint16_t>(bank, offset, value); }
__attribute__((stdcall)) void PokeInt(int bank, int offset, int value) { poke<int32_t>(bank, offset, value); }
__attribute__((stdcall)) void PokeFloat(int bank, int offset, float value) { poke<float>(bank, offset, value); }

__attribute__((stdcall)) int ReadBytes(int bank, int stream, int offset, int count) {
    KrStream* s = castHandle<KrStream>(stream);
    return s->read(bankOf(bank)->range(offset, count), count);
}

__attribute__((stdcall)) int WriteBytes(int bank, int stream, int offset, int count) {
    KrStream* s = castHandle<KrStream>(stream);
    return s->write(bankOf(bank)->range(offset, count), count);
}

}

KR_COMMAND(Runtime, "%CreateBank%size=0", CreateBank);
KR_COMMAND(Runtime, "FreeBank%bank", FreeBank);
KR_COMMAND(Runtime, "%BankSize%bank", BankSize);
KR_COMMAND(Runtime, "ResizeBank%bank%size", ResizeBank);
KR_COMMAND(Runtime, "CopyBank%src_bank%src_offset%dest_bank%dest_offset%count", CopyBank);
KR_COMMAND(Runtime, "%PeekByte%bank%offset", PeekByte);
KR_COMMAND(Runtime, "%PeekShort%bank%offset", PeekShort);
KR_COMMAND(Runtime, "%PeekInt%bank%offset", PeekInt);
KR_COMMAND(Runtime, "#PeekFloat%bank%offset", PeekFloat);
KR_COMMAND(Runtime, "PokeByte%bank%offset%value", PokeByte);
KR_COMMAND(Runtime, "PokeShort%bank%offset%value", PokeShort);
KR_COMMAND(Runtime, "PokeInt%bank%offset%value", PokeInt);
KR_COMMAND(Runtime, "PokeFloat%bank%offset#value", PokeFloat);
KR_COMMAND(Runtime, "%ReadBytes%bank%file%offset%count", ReadBytes);
KR_COMMAND(Runtime, "%WriteBytes%bank%file%offset%count", WriteBytes);
