// ProcStream on Windows: two anonymous pipes and CreateProcessA.
#include <windows.h>

#include <string>

#include "system/proc_stream.h"

namespace {

void closeHandle(HANDLE& handle) {
    if (handle) CloseHandle(handle);
    handle = nullptr;
}

} // namespace

ProcStream* ProcStream::start(const char* command) {
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE outputRead = nullptr, outputWrite = nullptr, inputRead = nullptr, inputWrite = nullptr;
    if (!CreatePipe(&outputRead, &outputWrite, &inheritable, 0)) return nullptr;
    if (!CreatePipe(&inputRead, &inputWrite, &inheritable, 0)) {
        closeHandle(outputRead);
        closeHandle(outputWrite);
        return nullptr;
    }
    // The parent's own ends stay out of every child: a later child holding
    // them would keep this child's input open after the stream is released.
    SetHandleInformation(outputRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inputWrite, HANDLE_FLAG_INHERIT, 0);

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = inputRead;
    startup.hStdOutput = outputWrite;
    startup.hStdError = outputWrite;
    PROCESS_INFORMATION info = {};
    // CreateProcessA may write into the command line, so it gets a copy.
    std::string line = command ? command : "";
    BOOL started = CreateProcessA(nullptr, line.data(), nullptr, nullptr, TRUE, DETACHED_PROCESS, nullptr,
                                  nullptr, &startup, &info);
    closeHandle(outputWrite);
    closeHandle(inputRead);
    if (!started) {
        closeHandle(outputRead);
        closeHandle(inputWrite);
        return nullptr;
    }
    auto* stream = new ProcStream;
    stream->process_ = info.hProcess;
    stream->thread_ = info.hThread;
    stream->processId_ = info.dwProcessId;
    stream->threadId_ = info.dwThreadId;
    stream->output_ = outputRead;
    stream->input_ = inputWrite;
    return stream;
}

ProcStream::~ProcStream() {
    closeHandle(output_);
    closeHandle(input_);
    closeHandle(process_);
    closeHandle(thread_);
}

// A child that closed its end shows as ERROR_BROKEN_PIPE to a read or a
// peek, but as ERROR_NO_DATA ("the pipe is being closed") to a write: both
// are the broken pipe of state 1.
int ProcStream::failed() {
    DWORD error = GetLastError();
    state_ = error == ERROR_BROKEN_PIPE || error == ERROR_NO_DATA ? 1 : -1;
    return 0;
}

int ProcStream::read(void* buffer, int count) {
    if (state_ != 0) return 0;
    if (count <= 0) return 0;
    DWORD got = 0;
    if (!ReadFile(output_, buffer, static_cast<DWORD>(count), &got, nullptr)) return failed();
    return static_cast<int>(got);
}

int ProcStream::write(const void* buffer, int count) {
    if (state_ != 0) return 0;
    if (count <= 0) return 0;
    DWORD written = 0;
    if (!WriteFile(input_, buffer, static_cast<DWORD>(count), &written, nullptr)) return failed();
    return static_cast<int>(written);
}

int ProcStream::avail() {
    if (state_ != 0) return 0;
    DWORD waiting = 0;
    if (!PeekNamedPipe(output_, nullptr, 0, nullptr, &waiting, nullptr)) return failed();
    return static_cast<int>(waiting);
}

int ProcStream::eof() {
    if (state_ == 0) avail(); // notices a child that has gone
    return state_;
}
