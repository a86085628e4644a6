// The directory commands: listing a directory's entries, and the current
// directory, making and removing directories. A listing belongs to the
// program (CloseDir releases it); failures of the platform calls are silent.
#include "lang/kr_string.h"
#include "platform/file_system.h"
#include "runtime/symbol_registration.h"
#include "system/kr_dir.h"

extern "C" {

__attribute__((stdcall)) int ReadDir(KrString* name) { return toHandle(krOpenDir(krText(name))); }

__attribute__((stdcall)) void CloseDir(int dir) {
    if (!dir) return;
    castHandle<KrDir>(dir)->release();
}

__attribute__((stdcall)) int MoreFiles(int dir) { return castHandle<KrDir>(dir)->more() ? 1 : 0; }

__attribute__((stdcall)) KrString* NextFile(int dir) { return castHandle<KrDir>(dir)->next(); }

// Always ends in exactly one backslash, also at a drive root, which the
// platform already spells with one.
__attribute__((stdcall)) KrString* CurrentDir() {
    std::string dir = platform::currentDirectory();
    if (!dir.empty() && dir.back() != '\\') dir += '\\';
    return krNewString(dir.data(), static_cast<int>(dir.size()));
}

__attribute__((stdcall)) void ChangeDir(KrString* dir) { platform::changeDirectory(krText(dir)); }

__attribute__((stdcall)) void CreateDir(KrString* dir) { platform::createDirectory(krText(dir)); }

__attribute__((stdcall)) void DeleteDir(KrString* dir) { platform::removeDirectory(krText(dir)); }

}

KR_COMMAND(Runtime, "%ReadDir$dirname", ReadDir);
KR_COMMAND(Runtime, "CloseDir%dir", CloseDir);
KR_COMMAND(Runtime, "%MoreFiles%dir", MoreFiles);
KR_COMMAND(Runtime, "$NextFile%dir", NextFile);
KR_COMMAND(Runtime, "$CurrentDir", CurrentDir);
KR_COMMAND(Runtime, "ChangeDir$dir", ChangeDir);
KR_COMMAND(Runtime, "CreateDir$dir", CreateDir);
KR_COMMAND(Runtime, "DeleteDir$dir", DeleteDir);
