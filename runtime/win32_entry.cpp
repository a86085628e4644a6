// _krWinMain@0: the process entry of a finished program, whose image is this
// library's own with the module image stored as resource RCDATA 1111.
#include <windows.h>

#include <string>

#include "platform/message_box.h"
#include "runtime/command_line.h"
#include "runtime/debugger.h"
#include "runtime/module_linker.h"
#include "runtime/runtime.h"

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE instance, DWORD reason, LPVOID reserved);

namespace {

constexpr int kModuleImageId = 1111;

[[noreturn]] void fatal(const char* text) {
    platform::showMessage(text, "Unable to run Vorn Basic module", false);
    ExitProcess(static_cast<UINT>(-1));
}

// The module image from the process image's resources.
const uint8_t* loadModuleImage(HINSTANCE instance, DWORD& size) {
    HRSRC found = FindResourceA(instance, MAKEINTRESOURCEA(kModuleImageId), MAKEINTRESOURCEA(10));
    if (!found) fatal("Can't find resource");
    HGLOBAL loaded = LoadResource(instance, found);
    if (!loaded) fatal("Can't load resource");
    const void* data = LockResource(loaded);
    if (!data) fatal("Can't lock resource");
    size = SizeofResource(instance, found);
    return static_cast<const uint8_t*>(data);
}

} // namespace

extern "C" __declspec(noreturn) void WINAPI krWinMain() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    // Entered as the process entry point, not through the library's attach
    // path: build the static objects (every module registers itself) first.
    DllMainCRTStartup(instance, DLL_PROCESS_ATTACH, nullptr);

    Runtime* runtime = runtimeGetRuntime();
    runtime->startup(instance);

    DWORD size = 0;
    const uint8_t* image = loadModuleImage(instance, size);
    LinkedModule module;
    std::string error;
    if (!linkModuleImage(image, size, *runtime, module, error)) fatal(error.c_str());

    std::string args = argumentText(GetCommandLineA());
    runtime->execute(reinterpret_cast<KrEntryPoint>(module.base), args.c_str(), nullptr);
    runtime->shutdown();

    // A run that ended through a runtime error has failed, so that scripts
    // starting the program can tell; End and a normal return succeed.
    UINT exitCode = defaultDebuggerShowedError() ? 1 : 0;
    DllMainCRTStartup(instance, DLL_PROCESS_DETACH, nullptr);
    ExitProcess(exitCode);
}
