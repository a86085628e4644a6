#include <windows.h>

#include <cstring>

#include "tools/vornpack/pe_image.h"

namespace {

template <typename T>
T* at(std::vector<uint8_t>& file, size_t offset) {
    return offset + sizeof(T) <= file.size() ? reinterpret_cast<T*>(file.data() + offset) : nullptr;
}

// The file offset of an RVA, through the section table.
bool rvaToOffset(std::vector<uint8_t>& file, IMAGE_NT_HEADERS32* nt, DWORD rva, size_t& offset) {
    auto* section = IMAGE_FIRST_SECTION(nt);
    for (int i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        if (reinterpret_cast<uint8_t*>(section + 1) > file.data() + file.size()) return false;
        DWORD size = section->Misc.VirtualSize ? section->Misc.VirtualSize : section->SizeOfRawData;
        if (rva >= section->VirtualAddress && rva < section->VirtualAddress + size) {
            offset = rva - section->VirtualAddress + section->PointerToRawData;
            return offset < file.size();
        }
    }
    return false;
}

// The RVA of an exported function, found by name in the export directory.
bool exportRva(std::vector<uint8_t>& file, IMAGE_NT_HEADERS32* nt, const char* name, DWORD& rva) {
    IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_EXPORT];
    size_t offset;
    if (!dir.VirtualAddress || !rvaToOffset(file, nt, dir.VirtualAddress, offset)) return false;
    auto* exports = at<IMAGE_EXPORT_DIRECTORY>(file, offset);
    if (!exports) return false;
    size_t names, ordinals, functions;
    if (!rvaToOffset(file, nt, exports->AddressOfNames, names) ||
        !rvaToOffset(file, nt, exports->AddressOfNameOrdinals, ordinals) ||
        !rvaToOffset(file, nt, exports->AddressOfFunctions, functions))
        return false;
    for (DWORD i = 0; i < exports->NumberOfNames; ++i) {
        DWORD* nameRva = at<DWORD>(file, names + 4 * i);
        WORD* ordinal = at<WORD>(file, ordinals + 2 * i);
        size_t nameOffset;
        if (!nameRva || !ordinal || !rvaToOffset(file, nt, *nameRva, nameOffset)) return false;
        const char* text = reinterpret_cast<const char*>(file.data() + nameOffset);
        if (std::strncmp(text, name, file.size() - nameOffset) == 0) {
            DWORD* function = at<DWORD>(file, functions + 4 * *ordinal);
            if (!function) return false;
            rva = *function;
            return true;
        }
    }
    return false;
}

} // namespace

bool makeExecutable(std::vector<uint8_t>& file, bool console, std::string& error) {
    auto* dos = at<IMAGE_DOS_HEADER>(file, 0);
    if (!dos || dos->e_magic != IMAGE_DOS_SIGNATURE) return error = "runtime.dll is not a PE image", false;
    auto* nt = at<IMAGE_NT_HEADERS32>(file, dos->e_lfanew);
    if (!nt || nt->Signature != IMAGE_NT_SIGNATURE || nt->OptionalHeader.Magic != IMAGE_NT_OPTIONAL_HDR32_MAGIC)
        return error = "runtime.dll is not a 32-bit PE image", false;
    DWORD entry;
    if (!exportRva(file, nt, "_krWinMain@0", entry)) return error = "runtime.dll does not export _krWinMain@0", false;
    nt->FileHeader.Characteristics &= ~IMAGE_FILE_DLL;
    nt->FileHeader.Characteristics |= IMAGE_FILE_EXECUTABLE_IMAGE;
    nt->OptionalHeader.AddressOfEntryPoint = entry;
    nt->OptionalHeader.Subsystem = console ? IMAGE_SUBSYSTEM_WINDOWS_CUI : IMAGE_SUBSYSTEM_WINDOWS_GUI;
    return true;
}

