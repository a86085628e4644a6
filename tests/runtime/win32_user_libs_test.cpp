// User libraries seen from inside the process: the "vornpath" fallback up to
// the length of its path buffer, the KrUserLibs module freeing what it bound,
// and CallDLL loading a library once however often it is called.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "lang/kr_string.h"
#include "support/program_harness.h"

extern "C" {
__attribute__((stdcall)) void _krLoadLibs(const void* table);
__attribute__((stdcall)) int CallDLL(KrString* dllName, KrString* funcName, int inBank, int outBank);
__attribute__((stdcall)) void krUserLibNotFound();
__attribute__((stdcall)) void krUserLibFunctionNotFound();
}

namespace {

// A table of one library with one function, laid out as compiled code
// hands it over.
std::vector<uint8_t> table(const std::string& library, const std::string& function, void** slot) {
    std::vector<uint8_t> bytes(library.begin(), library.end());
    bytes.push_back(0);
    bytes.insert(bytes.end(), function.begin(), function.end());
    bytes.push_back(0);
    uint32_t address = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(slot));
    for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<uint8_t>(address >> (8 * i)));
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::string binDirectory() {
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\'));
}

// Binds home_answer from vorn_homelib.dll with "vornpath" set to `vornpath`.
void* bindHomeLib(const std::string& vornpath) {
    void* slot = nullptr;
    _putenv(("vornpath=" + vornpath).c_str());
    std::vector<uint8_t> bytes = table("vorn_homelib.dll", "home_answer", &slot);
    _krLoadLibs(bytes.data());
    _putenv("vornpath=");
    return slot;
}

void* notFound() { return reinterpret_cast<void*>(&krUserLibNotFound); }

} // namespace

TEST(UserLibs, FallbackPathFitsItsBufferOrIsNotTried) {
    const std::string home = binDirectory() + "\\vorn_home";
    const size_t rest = std::string("/userlibs/vorn_homelib.dll").size();
    ASSERT_LT(home.size() + rest, 200u) << "build directory too deep for this test";
    // "/." segments and one "/" pad vornpath without changing the directory
    // it names, to any length.
    auto padded = [&](size_t pathLength) {
        std::string vornpath = home;
        size_t want = pathLength - rest;
        if ((want - vornpath.size()) % 2) vornpath += '/';
        while (vornpath.size() < want) vornpath += "/.";
        return vornpath;
    };
    void* fits = nullptr;
    void* tooLong = nullptr;
    RunRecord r = runAsProgram([&] {
        // The long one first: once loaded, the library is found by name.
        tooLong = bindHomeLib(padded(260));
        EXPECT_EQ(GetModuleHandleA("vorn_homelib.dll"), nullptr);
        fits = bindHomeLib(padded(259)); // 259 characters and the terminator
        EXPECT_NE(GetModuleHandleA("vorn_homelib.dll"), nullptr);
    });
    EXPECT_TRUE(r.finished) << r.error();
    EXPECT_NE(fits, nullptr);
    EXPECT_NE(fits, notFound()) << "a 259-character path was not tried";
    EXPECT_EQ(tooLong, notFound()) << "a 260-character path was tried";
    // KrUserLibs freed the library when the run ended.
    EXPECT_EQ(GetModuleHandleA("vorn_homelib.dll"), nullptr);
}

TEST(UserLibs, MissingFunctionGetsItsStubAndOtherSlotsTheirAddresses) {
    void* missing = nullptr;
    void* present = nullptr;
    RunRecord r = runAsProgram([&] {
        std::vector<uint8_t> a = table("vorn_testlib.dll", "no_such_function", &missing);
        _krLoadLibs(a.data());
        std::vector<uint8_t> b = table("vorn_testlib.dll", "add_numbers", &present);
        _krLoadLibs(b.data());
        EXPECT_EQ(present, reinterpret_cast<void*>(
                               GetProcAddress(GetModuleHandleA("vorn_testlib.dll"), "add_numbers")));
        reinterpret_cast<void(__attribute__((stdcall))*)()>(missing)();
    });
    EXPECT_FALSE(r.finished);
    EXPECT_EQ(r.error(), "User lib function not found");
    EXPECT_EQ(missing, reinterpret_cast<void*>(&krUserLibFunctionNotFound));
    // Bound twice, freed twice: nothing of it stays loaded.
    EXPECT_EQ(GetModuleHandleA("vorn_testlib.dll"), nullptr);
}

TEST(UserLibs, CallDLLLoadsALibraryOnce) {
    RunRecord r = runAsProgram([&] {
        KrString* dll = krNewString("vorn_calllib.dll");
        KrString* function = krNewString("empty_arguments");
        EXPECT_EQ(CallDLL(dll, function, 0, 0), 15);
        EXPECT_EQ(CallDLL(dll, function, 0, 0), 15);
        release(dll);
        release(function);
    });
    EXPECT_TRUE(r.finished) << r.error();
    // The cache keeps the library for the rest of the process, with the one
    // reference its single load made: freeing that unloads it.
    HMODULE library = GetModuleHandleA("vorn_calllib.dll");
    ASSERT_NE(library, nullptr);
    FreeLibrary(library);
    EXPECT_EQ(GetModuleHandleA("vorn_calllib.dll"), nullptr) << "loaded more than once";
}
