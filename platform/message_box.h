// Message boxes and the process exit, for the fatal and error paths.
#pragma once

namespace platform {

// A modal message box with one OK button. `ownedByActiveWindow` gives it the
// active window as owner and makes it topmost and foreground.
void showMessage(const char* text, const char* caption, bool ownedByActiveWindow);

// Ends the process at once with `code`.
[[noreturn]] void exitProcess(int code);

// The executable's file name without directory and extension.
const char* executableTitle();

} // namespace platform
