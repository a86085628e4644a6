// The commands that connect a program to its surroundings: its application
// title, its command line and the environment variables of the process.
#include <cstdlib>
#include <string>

#include "lang/kr_string.h"
#include "runtime/app_title.h"
#include "runtime/program_run.h"
#include "runtime/symbol_registration.h"

extern "C" {

__attribute__((stdcall)) void AppTitle(KrString* title) { setAppTitle(krText(title)); }

__attribute__((stdcall)) KrString* CommandLine() {
    KrString* line = commandLineString();
    if (!line) return krNewEmptyString();
    line->retain();
    return line;
}

__attribute__((stdcall)) KrString* GetEnv(KrString* var) { return krNewString(std::getenv(krText(var))); }

// var=value through the C library, which keeps its own copy of the text and
// updates the process environment that child processes inherit. An empty
// value removes the variable.
__attribute__((stdcall)) void SetEnv(KrString* var, KrString* value) {
#ifdef _WIN32
    std::string text = std::string(krText(var)) + "=" + krText(value);
    _putenv(text.c_str());
#else
    if (krLength(value) == 0 || !*krText(value))
        unsetenv(krText(var));
    else
        setenv(krText(var), krText(value), 1);
#endif
}

}

KR_COMMAND(Runtime, "$GetEnv$var", GetEnv);
KR_COMMAND(Runtime, "SetEnv$var$value", SetEnv);
KR_COMMAND(Runtime, "$CommandLine", CommandLine);
KR_COMMAND(Runtime, "AppTitle$str", AppTitle);
