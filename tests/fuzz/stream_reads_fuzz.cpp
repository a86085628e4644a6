// Fuzz target: the stream commands' decoders on arbitrary bytes that arrive
// in pieces. Input: a piece size, a count of operations, the operations, then
// the stream's bytes.
#include <cstddef>
#include <cstdint>

#include "lang/kr_string.h"
#include "support/piece_stream.h"

extern "C" {
__attribute__((stdcall)) int Eof(int stream);
__attribute__((stdcall)) int ReadAvail(int stream);
__attribute__((stdcall)) int ReadByte(int stream);
__attribute__((stdcall)) int ReadShort(int stream);
__attribute__((stdcall)) int ReadInt(int stream);
__attribute__((stdcall)) float ReadFloat(int stream);
__attribute__((stdcall)) KrString* ReadString(int stream);
__attribute__((stdcall)) KrString* ReadLine(int stream);
__attribute__((stdcall)) int CreateBank(int size);
__attribute__((stdcall)) void FreeBank(int bank);
__attribute__((stdcall)) int ReadBytes(int bank, int stream, int offset, int count);
__attribute__((stdcall)) void CopyStream(int src, int dest, int bufferSize);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 2) return 0;
    int piece = data[0] % 17;
    size_t ops = data[1] % 33;
    if (size < 2 + ops) return 0;
    const uint8_t* op = data + 2;
    auto* stream = new PieceStream(data + 2 + ops, size - 2 - ops, piece);
    auto* sink = new PieceStream(nullptr, 0, 0);
    int handle = toHandle(stream);
    int bank = CreateBank(64);
    for (size_t i = 0; i < ops; ++i) {
        switch (op[i] % 10) {
        case 0: ReadByte(handle); break;
        case 1: ReadShort(handle); break;
        case 2: ReadInt(handle); break;
        case 3: ReadFloat(handle); break;
        case 4: release(ReadString(handle)); break;
        case 5: release(ReadLine(handle)); break;
        case 6: Eof(handle); break;
        case 7: ReadAvail(handle); break;
        case 8: ReadBytes(bank, handle, op[i] / 10 % 64, 64 - op[i] / 10 % 64); break;
        case 9: CopyStream(handle, toHandle(sink), 1 + op[i] / 10); break;
        }
    }
    FreeBank(bank);
    stream->release();
    sink->release();
    return 0;
}
