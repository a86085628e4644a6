// Child processes through their ProcStream: the end of a child's output, the
// state after a broken pipe, and ExecFile handing its parameters to the shell.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>

#include "lang/kr_string.h"
#include "support/program_harness.h"
#include "system/proc_stream.h"

extern "C" {
__attribute__((stdcall)) int CreateProcess(KrString* command);
__attribute__((stdcall)) int ExecFile(KrString* file);
}

namespace {

KrStream* startChild(const char* command) {
    KrString* line = krNewString(command);
    int handle = CreateProcess(line);
    release(line);
    return handle ? castHandle<KrStream>(handle) : nullptr;
}

std::string readAll(KrStream* stream) {
    std::string text;
    char buffer[64];
    while (int n = stream->read(buffer, sizeof buffer)) text.append(buffer, n);
    return text;
}

} // namespace

TEST(ProcStream, EofAfterTheChildsOutputIsReadCompletely) {
    RunRecord r = runAsProgram([] {
        KrStream* child = startChild("cmd /c echo one& echo two");
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(readAll(child), "one\r\ntwo\r\n");
        EXPECT_EQ(child->eof(), 1);
        // Once broken, every operation returns 0 at once.
        char byte = 'x';
        EXPECT_EQ(child->avail(), 0);
        EXPECT_EQ(child->write(&byte, 1), 0);
        EXPECT_EQ(child->read(&byte, 1), 0);
        EXPECT_EQ(child->eof(), 1);
        release(child);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(ProcStream, OutputWaitingKeepsEofAtZero) {
    RunRecord r = runAsProgram([] {
        KrStream* child = startChild("echo_child.exe");
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(child->write("ab\n", 3), 3);
        char reply[10] = {};
        int got = 0;
        while (got < 10) got += child->read(reply + got, 10 - got);
        EXPECT_EQ(std::string(reply, 10), "echo: ab\r\n");
        EXPECT_EQ(child->eof(), 0); // alive, waiting for more input
        EXPECT_EQ(child->avail(), 0);
        release(child); // closes its input: the child says "end" and exits
    });
    EXPECT_TRUE(r.finished) << r.error();
}

// A child that has exited closed its end of the input pipe too: a write to
// it is the broken pipe of state 1, as a read would be, not another failure.
TEST(ProcStream, WritingToAChildThatHasGoneIsABrokenPipe) {
    RunRecord r = runAsProgram([] {
        KrStream* child = startChild("cmd /c exit");
        ASSERT_NE(child, nullptr);
        int written = 1;
        for (int i = 0; i < 200 && written != 0; ++i) {
            written = child->write("x", 1);
            if (written != 0) std::this_thread::sleep_for(std::chrono::milliseconds(20));
        }
        EXPECT_EQ(written, 0) << "the child never went away";
        EXPECT_EQ(static_cast<ProcStream*>(child)->state(), 1);
        EXPECT_EQ(child->eof(), 1);
        release(child);
    });
    EXPECT_TRUE(r.finished) << r.error();
}

TEST(ExecFile, QuotedTargetWithParameters) {
    const char* marker = "exec_file_marker.txt";
    std::remove(marker);
    int result = -2;
    RunRecord r = runAsProgram([&] {
        KrString* text = krNewString("  \"cmd.exe\"   /c echo ran> exec_file_marker.txt");
        result = ExecFile(text);
        release(text);
    });
    EXPECT_TRUE(r.finished) << r.error();
    EXPECT_EQ(result, 1);
    // The shell starts the program and returns; wait for the line it writes
    // (a minute at most: starting a shell can take seconds on a slow machine).
    char line[16] = {};
    for (int i = 0; i < 1200 && !line[0]; ++i) {
        if (std::FILE* file = std::fopen(marker, "r")) {
            if (!std::fgets(line, sizeof line, file)) line[0] = 0;
            std::fclose(file);
        }
        if (!line[0]) std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::remove(marker);
    EXPECT_EQ(std::string(line), "ran\n") << "the parameters did not reach the program";
}
