// ShellExecuteA for ExecFile.
#include <windows.h>

#include <shellapi.h>

#include "platform/shell.h"

namespace platform {

bool shellOpen(const char* target, const char* parameters) {
    HINSTANCE result = ShellExecuteA(GetActiveWindow(), nullptr, target, parameters, nullptr, SW_SHOWDEFAULT);
    return reinterpret_cast<INT_PTR>(result) > 32;
}

} // namespace platform
