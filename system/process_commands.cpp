// The commands that start other programs: ExecFile through the shell, and
// CreateProcess, whose child is read and written as a ProcStream.
#include <string>

#include "lang/kr_string.h"
#include "platform/shell.h"
#include "runtime/symbol_registration.h"
#include "system/proc_stream.h"

namespace {

// The longest target name the shell is handed.
constexpr size_t kMaxTarget = 255;

} // namespace

extern "C" {

// The text is a target, in double quotes when it holds spaces, then its
// parameters. -1 for a text without a usable target (empty, an unclosed
// quote, a name of 0 or more than 255 characters); else 1 when the shell
// opened it and 0 when it failed.
__attribute__((stdcall)) int ExecFile(KrString* file) {
    const char* p = krText(file);
    while (*p == ' ') ++p;
    if (!*p) return -1;
    std::string target;
    if (*p == '"') {
        const char* start = ++p;
        while (*p && *p != '"') ++p;
        if (!*p) return -1;
        target.assign(start, p - start);
        ++p;
    } else {
        const char* start = p;
        while (*p && *p != ' ') ++p;
        target.assign(start, p - start);
    }
    if (target.empty() || target.size() > kMaxTarget) return -1;
    while (*p == ' ') ++p;
    return platform::shellOpen(target.c_str(), p) ? 1 : 0;
}

__attribute__((stdcall)) int CreateProcess(KrString* command) {
    ProcStream* stream = ProcStream::start(krText(command));
    return stream ? toHandle(stream) : 0;
}

}

KR_COMMAND(Runtime, "%ExecFile$file", ExecFile);
KR_COMMAND(Runtime, "%CreateProcess$command", CreateProcess);
