// Win32Dir: a directory listing over FindFirstFileA and FindNextFileA. The
// entry found last waits in the record until NextFile takes it, so the first
// name comes from the search that opened the listing.
#include <windows.h>

#include <string>

#include "system/kr_dir.h"

namespace {

class Win32Dir final : public KrDir {
public:
    explicit Win32Dir(const char* name) {
        std::string pattern = std::string(name) + "\\*";
        search_ = FindFirstFileA(pattern.c_str(), &entry_);
        more_ = search_ != INVALID_HANDLE_VALUE;
    }

    ~Win32Dir() override {
        if (search_ != INVALID_HANDLE_VALUE) FindClose(search_);
    }

    bool more() override { return more_; }

    KrString* next() override {
        if (!more_) return krNewEmptyString();
        KrString* name = krNewString(entry_.cFileName);
        more_ = FindNextFileA(search_, &entry_) != 0;
        return name;
    }

private:
    bool more_ = false;
    HANDLE search_ = INVALID_HANDLE_VALUE;
    WIN32_FIND_DATAA entry_;
};

} // namespace

KrDir* krOpenDir(const char* name) { return new Win32Dir(name); }
