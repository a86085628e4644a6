// ProcStream: a child process whose standard input and output are pipes, read
// and written as a stream. The child's standard output and standard error
// arrive through `read`; `write` feeds its standard input.
//
// State: 0 open; 1 once a pipe was broken (the child closed its end, usually
// by exiting); -1 after any other pipe failure. Once it is not 0, read, write
// and avail return 0 at once, and eof reports it. Releasing the stream closes
// the parent's two pipe ends; the child itself is not ended.
#pragma once

#include "system/kr_stream.h"

class ProcStream final : public KrStream {
public:
    // Starts `command` (a command line) as a child process; null when the
    // pipes cannot be made or the process does not start.
    static ProcStream* start(const char* command);
    ~ProcStream() override;

    int read(void* buffer, int count) override;
    int write(const void* buffer, int count) override;
    int avail() override;
    int eof() override;

    int state() const { return state_; }

private:
    ProcStream() = default;
    // Records why a pipe operation failed; returns 0 for the caller to pass on.
    int failed();

    void* process_ = nullptr;
    void* thread_ = nullptr;
    unsigned processId_ = 0;
    unsigned threadId_ = 0;
    void* output_ = nullptr; // read end of the child's output pipe
    void* input_ = nullptr;  // write end of the child's input pipe
    int state_ = 0;
};
