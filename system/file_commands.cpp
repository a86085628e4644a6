// The file commands: opening files as streams in the three modes, closing,
// positions, and the look-ups and operations on whole files by name.
//
// A file stream belongs to the program, which holds the one reference it was
// made with; CloseFile releases it and so closes the file. A file that cannot
// be opened gives 0; copying and deleting report nothing.
#include <cstring>

#include "lang/kr_string.h"
#include "platform/file_system.h"
#include "runtime/symbol_registration.h"
#include "system/kr_file.h"

namespace {

int openFile(KrString* name, const char* mode) { return toHandle(KrFile::open(krText(name), mode)); }

// The find-first search, wildcards and all. It finds nothing for a drive
// root or a directory written with a trailing backslash (the way CurrentDir
// spells every directory), so a name without wildcards that it misses is
// asked for its attributes as well.
bool lookUp(KrString* name, platform::FoundFile* found) {
    const char* text = krText(name);
    if (platform::findFirstFile(text, found)) return true;
    return !std::strpbrk(text, "*?") && platform::fileAttributes(text, found);
}

} // namespace

extern "C" {

__attribute__((stdcall)) int OpenFile(KrString* name) { return openFile(name, "r+b"); }

__attribute__((stdcall)) int ReadFile(KrString* name) { return openFile(name, "rb"); }

__attribute__((stdcall)) int WriteFile(KrString* name) { return openFile(name, "wb"); }

__attribute__((stdcall)) void CloseFile(int file) {
    if (!file) return;
    castHandle<KrFile>(file)->release();
}

__attribute__((stdcall)) int FilePos(int file) { return castHandle<KrFile>(file)->pos(); }

__attribute__((stdcall)) int SeekFile(int file, int position) { return castHandle<KrFile>(file)->seek(position); }

// 0 for nothing of that name, 2 for a directory, 1 for anything else.
__attribute__((stdcall)) int FileType(KrString* name) {
    platform::FoundFile found;
    if (!lookUp(name, &found)) return 0;
    return found.directory ? 2 : 1;
}

__attribute__((stdcall)) int FileSize(KrString* name) {
    platform::FoundFile found;
    if (!lookUp(name, &found)) return 0;
    return static_cast<int>(found.sizeLow);
}

__attribute__((stdcall)) void CopyFile(KrString* from, KrString* to) { platform::copyFile(krText(from), krText(to)); }

__attribute__((stdcall)) void DeleteFile(KrString* name) { platform::deleteFile(krText(name)); }

}

KR_COMMAND(Runtime, "%OpenFile$filename", OpenFile);
KR_COMMAND(Runtime, "%ReadFile$filename", ReadFile);
KR_COMMAND(Runtime, "%WriteFile$filename", WriteFile);
KR_COMMAND(Runtime, "CloseFile%file_stream", CloseFile);
KR_COMMAND(Runtime, "%FilePos%file_stream", FilePos);
KR_COMMAND(Runtime, "%SeekFile%file_stream%pos", SeekFile);
KR_COMMAND(Runtime, "%FileSize$file", FileSize);
KR_COMMAND(Runtime, "%FileType$file", FileType);
KR_COMMAND(Runtime, "CopyFile$file$to", CopyFile);
KR_COMMAND(Runtime, "DeleteFile$file", DeleteFile);
