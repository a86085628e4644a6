// vornpack: makes a finished program from a module image.
//
//   vornpack IMAGE OUT.exe
//
// The result is the runtime library's own image, turned into an executable
// whose entry point is _krWinMain@0, with the module image added as resource
// RCDATA 1111. The runtime library is taken from this tool's own directory.
#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/common/file_bytes.h"

namespace {

constexpr int kModuleImageId = 1111;

std::string runtimeLibraryPath() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    size_t slash = dir.find_last_of("\\/");
    dir.erase(slash == std::string::npos ? 0 : slash + 1);
    return dir + "runtime.dll";
}

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

// Turns the library image into an executable entered at _krWinMain@0.
bool makeExecutable(std::vector<uint8_t>& file, std::string& error) {
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
    return true;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: vornpack IMAGE OUT.exe\n");
        return 2;
    }
    std::vector<uint8_t> image, library;
    if (!readFileBytes(argv[1], image)) {
        std::fprintf(stderr, "vornpack: can't read module image '%s'\n", argv[1]);
        return 1;
    }
    std::string libraryPath = runtimeLibraryPath();
    if (!readFileBytes(libraryPath, library)) {
        std::fprintf(stderr, "vornpack: can't read '%s'\n", libraryPath.c_str());
        return 1;
    }
    std::string error;
    if (!makeExecutable(library, error)) {
        std::fprintf(stderr, "vornpack: %s\n", error.c_str());
        return 1;
    }
    if (!writeFileBytes(argv[2], library)) {
        std::fprintf(stderr, "vornpack: can't write '%s'\n", argv[2]);
        return 1;
    }
    HANDLE update = BeginUpdateResourceA(argv[2], FALSE);
    if (!update ||
        !UpdateResourceA(update, MAKEINTRESOURCEA(10), MAKEINTRESOURCEA(kModuleImageId),
                         MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), image.data(), static_cast<DWORD>(image.size())) ||
        !EndUpdateResourceA(update, FALSE)) {
        std::fprintf(stderr, "vornpack: can't add the module image to '%s'\n", argv[2]);
        DeleteFileA(argv[2]);
        return 1;
    }
    return 0;
}
